#include "OsDisplay.h"

namespace os {

std::optional<DisplayMode> OsDisplay::nearestMonitorMode()
{
    return std::nullopt;
}

bool OsDisplay::makeProcessDpiAware()
{
    return false;
}

} // namespace os
