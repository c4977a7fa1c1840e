#pragma once

#include "DRefObj.h"

namespace lumo {

// Base of the messages carried by a DMessageQueue. The type is free for the subclass to use.
class LUMO_EXPORT DMessage : public DRefObj
{
public:
    explicit DMessage(int type = 0) : m_type(type) { }
    DMessage(const DMessage &other) : DRefObj(other), m_type(other.m_type) { }
    ~DMessage() override;

    int GetType() const { return m_type; }

private:
    int m_type;
};

} // namespace lumo
