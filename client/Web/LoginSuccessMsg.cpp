#include "LoginSuccessMsg.h"

namespace Web {

LoginSuccessMsg::LoginSuccessMsg()
{
    strMethod = QStringLiteral("NotifyLoginSucc");
}

LoginSuccessMsg::~LoginSuccessMsg() = default;

} // namespace Web
