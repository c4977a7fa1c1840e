#include "DExceptionHandler.h"

#include <windows.h>
#include <dbghelp.h>

#include <string>

namespace lumo {

namespace {

std::wstring g_dumpDir;

LONG WINAPI writeMiniDump(EXCEPTION_POINTERS *info)
{
    SYSTEMTIME t;
    GetLocalTime(&t);
    wchar_t name[64];
    swprintf(name, 64, L"\\crash-%04d%02d%02d%02d%02d%02d-%lu.dmp", t.wYear, t.wMonth, t.wDay,
             t.wHour, t.wMinute, t.wSecond, GetCurrentProcessId());
    const std::wstring path = g_dumpDir + name;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        MINIDUMP_EXCEPTION_INFORMATION exception {GetCurrentThreadId(), info, FALSE};
        MiniDumpWriteDump(GetCurrentProcess(), GetCurrentProcessId(), file, MiniDumpNormal,
                          &exception, nullptr, nullptr);
        CloseHandle(file);
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

} // namespace

bool DExceptionHandler::StartMonitor(const char *dumpDir)
{
    if (!dumpDir || !*dumpDir)
        return false;
    wchar_t full[MAX_PATH];
    const int n = MultiByteToWideChar(CP_UTF8, 0, dumpDir, -1, full, MAX_PATH);
    if (n <= 0)
        return false;
    wchar_t absolute[MAX_PATH];
    if (!GetFullPathNameW(full, MAX_PATH, absolute, nullptr))
        return false;
    g_dumpDir = absolute;
    CreateDirectoryW(g_dumpDir.c_str(), nullptr);
    SetUnhandledExceptionFilter(writeMiniDump);
    return true;
}

void DExceptionHandler::StopMonitor()
{
    SetUnhandledExceptionFilter(nullptr);
}

} // namespace lumo
