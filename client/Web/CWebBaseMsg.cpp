#include "CWebBaseMsg.h"

namespace Web {

namespace {

void registerMetaType()
{
    // Once per process; the queued signal of the view looks the pointer type up by the name
    // its signature spells, with or without the namespace.
    static const bool registered = [] {
        qRegisterMetaType<CWebBaseMsg>("CWebBaseMsg");
        qRegisterMetaType<CWebBaseMsg *>("CWebBaseMsg*");
        qRegisterMetaType<CWebBaseMsg *>();
        return true;
    }();
    Q_UNUSED(registered);
}

} // namespace

CWebBaseMsg::CWebBaseMsg()
    : lumo::DMessage(0)
{
    registerMetaType();
}

CWebBaseMsg::CWebBaseMsg(const CWebBaseMsg &other)
    : lumo::DMessage(other)
    , strMethod(other.strMethod)
    , strParam(other.strParam)
{
    registerMetaType();
}

CWebBaseMsg::~CWebBaseMsg() = default;

} // namespace Web
