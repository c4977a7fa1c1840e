#pragma once

#include "DMutex.h"

namespace lumo {

// Holds the mutex from construction to destruction.
class LUMO_EXPORT DMutexGuard
{
public:
    explicit DMutexGuard(DMutex &mutex) : m_mutex(mutex) { m_mutex.Lock(); }
    explicit DMutexGuard(DMutex *mutex) : DMutexGuard(*mutex) { }
    ~DMutexGuard() { m_mutex.Unlock(); }
    DMutexGuard(const DMutexGuard &) = delete;
    DMutexGuard &operator=(const DMutexGuard &) = delete;

private:
    DMutex &m_mutex;
};

} // namespace lumo
