#pragma once

#include "lumo_global.h"

namespace lumo {

// Receives the expiry of a DTimerMgr timer, on the timer manager's thread.
class LUMO_EXPORT DTimerHandler
{
public:
    virtual ~DTimerHandler();
    virtual void OnTimer(unsigned int timerId) = 0;
};

} // namespace lumo
