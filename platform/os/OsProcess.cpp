#include "OsProcess.h"

#include <QCoreApplication>

namespace os {

int OsProcess::terminateByName(const QString &exeFileName)
{
    if (exeFileName.isEmpty())
        return 0;
    const qint64 self = currentPid();
    int ended = 0;
    for (const ProcessEntry &entry : list()) {
        if (entry.pid != self && entry.exeName == exeFileName && terminate(entry.pid, 0))
            ++ended;
    }
    return ended;
}

QString OsProcess::executableFileName(const QString &baseName)
{
#ifdef Q_OS_WIN
    return baseName + QStringLiteral(".exe");
#else
    return baseName;
#endif
}

} // namespace os
