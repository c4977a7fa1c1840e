#include "OsDisplay.h"

#include <windows.h>

namespace os {

std::optional<DisplayMode> OsDisplay::nearestMonitorMode()
{
    HMONITOR monitor = MonitorFromWindow(GetDesktopWindow(), MONITOR_DEFAULTTONEAREST);
    MONITORINFOEXW info {};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info))
        return std::nullopt;
    DEVMODEW mode {};
    mode.dmSize = sizeof mode;
    if (!EnumDisplaySettingsW(info.szDevice, ENUM_CURRENT_SETTINGS, &mode))
        return std::nullopt;
    DisplayMode result;
    result.pixelWidth = int(mode.dmPelsWidth);
    result.pixelHeight = int(mode.dmPelsHeight);
    result.logicalWidth = info.rcMonitor.right - info.rcMonitor.left;
    return result;
}

bool OsDisplay::makeProcessDpiAware()
{
    HMODULE user32 = LoadLibraryW(L"user32.dll");
    if (!user32)
        return false;
    using SetAware = BOOL(WINAPI *)();
    auto setAware = reinterpret_cast<SetAware>(GetProcAddress(user32, "SetProcessDPIAware"));
    const bool ok = setAware && setAware();
    FreeLibrary(user32);
    return ok;
}

} // namespace os
