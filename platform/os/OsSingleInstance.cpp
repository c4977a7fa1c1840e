#include "OsSingleInstance.h"

#include <QSharedMemory>

namespace os {

OsSingleInstance::OsSingleInstance(const QString &key) : m_memory(new QSharedMemory(key)) { }

OsSingleInstance::~OsSingleInstance()
{
    delete m_memory;
}

bool OsSingleInstance::create(int size)
{
#ifndef Q_OS_WIN
    // System V segments outlive their creator. Attaching and detaching removes a segment
    // that no live process holds any more; a live holder keeps it.
    if (m_memory->attach())
        m_memory->detach();
#endif
    return m_memory->create(size, QSharedMemory::ReadWrite);
}

bool OsSingleInstance::isHeld() const
{
    return m_memory->isAttached();
}

void OsSingleInstance::release()
{
    if (m_memory->isAttached())
        m_memory->detach();
}

QString OsSingleInstance::errorString() const
{
    return m_memory->errorString();
}

} // namespace os
