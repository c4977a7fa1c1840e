#pragma once

#include "CWebBaseMsg.h"

namespace Web {

// "NotifyLoginSucc" with the company logo the page reported; its params text stays empty
// (the login data itself is in the stores by the time listeners see it). Same ownership and
// threads as CWebBaseMsg.
class KORVELWEB_EXPORT LoginSuccessMsg : public CWebBaseMsg
{
public:
    LoginSuccessMsg();
    ~LoginSuccessMsg() override;

    QString strLogoImagePath;
    QString strLogoName;
};

} // namespace Web
