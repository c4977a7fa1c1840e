#include "FullScreenMsg.h"

namespace Web {

FullScreenMsg::FullScreenMsg()
{
    strMethod = QStringLiteral("FullScreen");
}

FullScreenMsg::~FullScreenMsg() = default;

} // namespace Web
