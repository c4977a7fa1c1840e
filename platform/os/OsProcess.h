#pragma once

#include "os_global.h"

#include <QList>
#include <QString>

namespace os {

struct ProcessEntry
{
    qint64 pid = 0;
    QString exeName; // executable file name without folder, as the platform spells it
};

// Processes of this machine. Any thread.
class KORVELOS_EXPORT OsProcess
{
public:
    static QList<ProcessEntry> list();
    static bool terminate(qint64 pid, int exitCode = 0);
    // Ends every process whose executable file name is exactly exeFileName, except the
    // calling process. Returns how many were ended.
    static int terminateByName(const QString &exeFileName);
    // "Update" -> "Update.exe" on Windows, "Update" elsewhere.
    static QString executableFileName(const QString &baseName);
    static qint64 currentPid();
    // The running executable's absolute path, usable before any application object exists.
    static QString currentExecutablePath();
};

} // namespace os
