#pragma once

#include "lumo_global.h"

#include <mutex>

namespace lumo {

// A recursive mutex: the same thread may lock it again.
class LUMO_EXPORT DMutex
{
public:
    DMutex() = default;
    DMutex(const DMutex &) = delete;
    DMutex &operator=(const DMutex &) = delete;

    void Lock() { m_mutex.lock(); }
    bool TryLock() { return m_mutex.try_lock(); }
    void Unlock() { m_mutex.unlock(); }

private:
    std::recursive_mutex m_mutex;
};

} // namespace lumo
