#pragma once

#include "os_global.h"

#include <QString>

class QSharedMemory;

namespace os {

// The single-instance segment: a named shared-memory block held while the program runs.
// A segment left behind by a holder that crashed does not block the next start.
// GUI thread only.
class KORVELOS_EXPORT OsSingleInstance
{
public:
    explicit OsSingleInstance(const QString &key);
    ~OsSingleInstance();
    OsSingleInstance(const OsSingleInstance &) = delete;
    OsSingleInstance &operator=(const OsSingleInstance &) = delete;

    // False when another live process holds the segment.
    bool create(int size = 32);
    bool isHeld() const;
    void release();
    QString errorString() const;

    // The segment object itself, for owners that manage its lifetime in Qt's way.
    QSharedMemory *sharedMemory() const { return m_memory; }

private:
    QSharedMemory *m_memory;
};

} // namespace os
