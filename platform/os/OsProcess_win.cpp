#include "OsProcess.h"

#include <windows.h>
#include <tlhelp32.h>

namespace os {

QList<ProcessEntry> OsProcess::list()
{
    QList<ProcessEntry> entries;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return entries;
    PROCESSENTRY32W entry;
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
        entries.append({qint64(entry.th32ProcessID), QString::fromWCharArray(entry.szExeFile)});
    CloseHandle(snapshot);
    return entries;
}

bool OsProcess::terminate(qint64 pid, int exitCode)
{
    HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, DWORD(pid));
    if (!process)
        return false;
    const bool ok = TerminateProcess(process, UINT(exitCode)) != 0;
    CloseHandle(process);
    return ok;
}

QString OsProcess::currentExecutablePath()
{
    wchar_t path[32768];
    const DWORD n = GetModuleFileNameW(nullptr, path, DWORD(sizeof path / sizeof path[0]));
    return QString::fromWCharArray(path, int(n)).replace(QLatin1Char('\\'), QLatin1Char('/'));
}

qint64 OsProcess::currentPid()
{
    return qint64(GetCurrentProcessId());
}

} // namespace os
