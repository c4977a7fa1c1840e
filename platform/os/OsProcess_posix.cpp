#include "OsProcess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <signal.h>
#include <unistd.h>

namespace os {

namespace {

// The executable's base name: from /proc/<pid>/exe, else from the command line (the kernel's
// "comm" is cut at 15 characters and would match names that only start the same).
QString exeNameOf(const QString &procDir)
{
    QString target = QFile::symLinkTarget(procDir + QStringLiteral("/exe"));
    if (!target.isEmpty()) {
        const QString deleted = QStringLiteral(" (deleted)");
        if (target.endsWith(deleted))
            target.chop(deleted.size());
        return QFileInfo(target).fileName();
    }
    QFile cmdline(procDir + QStringLiteral("/cmdline"));
    if (!cmdline.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray argv0 = cmdline.read(4096).split('\0').value(0);
    return QFileInfo(QString::fromLocal8Bit(argv0)).fileName();
}

} // namespace

QList<ProcessEntry> OsProcess::list()
{
    QList<ProcessEntry> entries;
    const QStringList pids = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &name : pids) {
        bool isPid = false;
        const qint64 pid = name.toLongLong(&isPid);
        if (!isPid)
            continue;
        const QString exe = exeNameOf(QStringLiteral("/proc/") + name);
        if (!exe.isEmpty())
            entries.append({pid, exe});
    }
    return entries;
}

bool OsProcess::terminate(qint64 pid, int exitCode)
{
    Q_UNUSED(exitCode) // a killed process has no exit code of its own here
    if (pid <= 0)
        return false;
    return ::kill(static_cast<pid_t>(pid), SIGKILL) == 0;
}

QString OsProcess::currentExecutablePath()
{
    return QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
}

qint64 OsProcess::currentPid()
{
    return static_cast<qint64>(::getpid());
}

} // namespace os
