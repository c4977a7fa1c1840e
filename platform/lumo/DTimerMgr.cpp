#include "DTimerMgr.h"

#include "DTimerHandler.h"

namespace lumo {

DTimerMgr *DTimerMgr::instance()
{
    static DTimerMgr mgr;
    return &mgr;
}

DTimerMgr::DTimerMgr() : m_thread(&DTimerMgr::run, this) { }

DTimerMgr::~DTimerMgr()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_quit = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

unsigned int DTimerMgr::CreateTimer(DTimerHandler *handler)
{
    if (!handler)
        return 0;
    std::lock_guard<std::mutex> lock(m_mutex);
    unsigned int id = m_nextId++;
    if (m_nextId == 0)
        m_nextId = 1;
    m_timers[id].handler = handler;
    return id;
}

bool DTimerMgr::StartTimer(unsigned int timerId, unsigned int milliseconds)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto it = m_timers.find(timerId);
        if (it == m_timers.end())
            return false;
        it->second.armed = true;
        it->second.due = Clock::now() + std::chrono::milliseconds(milliseconds);
    }
    m_wake.notify_all();
    return true;
}

bool DTimerMgr::StopTimer(unsigned int timerId)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_timers.find(timerId);
    if (it == m_timers.end())
        return false;
    it->second.armed = false;
    return true;
}

bool DTimerMgr::DestroyTimer(unsigned int timerId)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    if (m_timers.erase(timerId) == 0)
        return false;
    if (std::this_thread::get_id() != m_thread.get_id())
        m_callDone.wait(lock, [&] { return m_firing != timerId; });
    return true;
}

void DTimerMgr::run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    while (!m_quit) {
        auto next = m_timers.end();
        for (auto it = m_timers.begin(); it != m_timers.end(); ++it) {
            if (it->second.armed && (next == m_timers.end() || it->second.due < next->second.due))
                next = it;
        }
        if (next == m_timers.end()) {
            m_wake.wait(lock);
            continue;
        }
        if (Clock::now() < next->second.due) {
            m_wake.wait_until(lock, next->second.due);
            continue; // the set may have changed while waiting
        }
        next->second.armed = false;
        const unsigned int id = next->first;
        DTimerHandler *handler = next->second.handler;
        m_firing = id;
        lock.unlock();
        handler->OnTimer(id);
        lock.lock();
        m_firing = 0;
        m_callDone.notify_all();
    }
}

} // namespace lumo
