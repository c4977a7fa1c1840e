#include "DRefObj.h"

#include <typeinfo>

namespace lumo {

std::string DRefObj::GetObjInfo() const
{
    return typeid(*this).name();
}

void DRefObj::Reset() { }

DRefObj::~DRefObj() = default;

void DRefObj::destroy()
{
    delete this;
}

long DRefObj::release()
{
    const long left = m_refCount.fetch_sub(1, std::memory_order_acq_rel) - 1;
    if (left == 0)
        destroy();
    return left;
}

} // namespace lumo
