#include "CWebViewBaseImp.h"

namespace Web {

CWebViewBaseImp::CWebViewBaseImp(const QString &name, QWidget *parent)
    : QWidget(parent)
    , m_strName(name)
{ }

CWebViewBaseImp::~CWebViewBaseImp() = default;

} // namespace Web
