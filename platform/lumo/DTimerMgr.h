#pragma once

#include "lumo_global.h"

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

namespace lumo {

class DTimerHandler;

// One-shot timers run by one thread of their own. OnTimer() is called on that thread, never
// while the manager's lock is held, so a handler may start or destroy timers. A handler must
// DestroyTimer() its timers before it goes away; DestroyTimer() waits for a call in progress.
class LUMO_EXPORT DTimerMgr
{
public:
    static DTimerMgr *instance();

    DTimerMgr();
    ~DTimerMgr();
    DTimerMgr(const DTimerMgr &) = delete;
    DTimerMgr &operator=(const DTimerMgr &) = delete;

    // Returns 0 when handler is null.
    unsigned int CreateTimer(DTimerHandler *handler);
    // Arms (or re-arms) the timer to fire once, milliseconds from now.
    bool StartTimer(unsigned int timerId, unsigned int milliseconds);
    bool StopTimer(unsigned int timerId);
    bool DestroyTimer(unsigned int timerId);

private:
    using Clock = std::chrono::steady_clock;
    struct Timer
    {
        DTimerHandler *handler = nullptr;
        bool armed = false;
        Clock::time_point due;
    };

    void run();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_callDone;
    std::map<unsigned int, Timer> m_timers;
    unsigned int m_nextId = 1;
    unsigned int m_firing = 0;
    bool m_quit = false;
    std::thread m_thread;
};

} // namespace lumo
