#include "OsSystemInfo.h"

#include <windows.h>

namespace os {

int OsSystemInfo::nativeArchitecture()
{
    SYSTEM_INFO info;
    GetNativeSystemInfo(&info);
    return info.wProcessorArchitecture;
}

bool OsSystemInfo::isWindows7Workstation()
{
    // GetVersionEx lies to unmanifested programs; RtlGetVersion does not.
    using RtlGetVersionFn = LONG(WINAPI *)(PRTL_OSVERSIONINFOW);
    auto rtlGetVersion = reinterpret_cast<RtlGetVersionFn>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion"));
    if (!rtlGetVersion)
        return false;
    RTL_OSVERSIONINFOEXW info {};
    info.dwOSVersionInfoSize = sizeof info;
    if (rtlGetVersion(reinterpret_cast<PRTL_OSVERSIONINFOW>(&info)) != 0)
        return false;
    return info.dwMajorVersion == 6 && info.dwMinorVersion == 1
        && info.wProductType == VER_NT_WORKSTATION;
}

} // namespace os
