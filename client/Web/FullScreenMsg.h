#pragma once

#include "CWebBaseMsg.h"

namespace Web {

// "FullScreen": whether the page asks to enter (true) or leave full screen. Same ownership
// and threads as CWebBaseMsg.
class KORVELWEB_EXPORT FullScreenMsg : public CWebBaseMsg
{
public:
    FullScreenMsg();
    ~FullScreenMsg() override;

    bool bFullScreen = false;
};

} // namespace Web
