#pragma once

#include "lumo_global.h"

#include <atomic>
#include <string>

namespace lumo {

// Reference-counted base of queued messages and queues. A new object holds no reference;
// every holder takes one with addRef() and gives it back with release(), and the last
// release() destroys the object through destroy(). Any thread.
class LUMO_EXPORT DRefObj
{
public:
    DRefObj() = default;
    DRefObj(const DRefObj &) : m_refCount(0) { }
    DRefObj &operator=(const DRefObj &) { return *this; }

    virtual std::string GetObjInfo() const;
    virtual void Reset();
    virtual ~DRefObj();
    virtual void destroy();

    long addRef() { return m_refCount.fetch_add(1, std::memory_order_relaxed) + 1; }
    long release();
    long refCount() const { return m_refCount.load(std::memory_order_acquire); }

private:
    std::atomic<long> m_refCount{0};
};

} // namespace lumo
