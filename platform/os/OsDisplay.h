#pragma once

#include "os_global.h"

#include <optional>

namespace os {

struct DisplayMode
{
    int pixelWidth = 0;   // of the current display mode
    int pixelHeight = 0;
    int logicalWidth = 0; // of the monitor rectangle the system reports
};

// The monitor nearest the desktop window, read before any application object exists.
class KORVELOS_EXPORT OsDisplay
{
public:
    // Empty where the system scales for the program itself (X11, Wayland: Qt handles it).
    static std::optional<DisplayMode> nearestMonitorMode();
    // Declares the process DPI-aware where the system asks for that.
    static bool makeProcessDpiAware();
};

} // namespace os
