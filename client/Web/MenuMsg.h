#pragma once

#include "CWebBaseMsg.h"

namespace Web {

// A page call about one module, carrying its menu path. Listeners read strMenuPath only for
// "NotifySwitchMenuBtn" as the web message queue makes it from "NotifySwitchMoudle"; a page
// call literally named "NotifySwitchMenuBtn" arrives as a plain CWebBaseMsg. Same ownership
// and threads as CWebBaseMsg.
class KORVELWEB_EXPORT MenuMsg : public CWebBaseMsg
{
public:
    MenuMsg();
    ~MenuMsg() override;

    QString strMenuPath;
};

} // namespace Web
