#pragma once

#include "os/OsDisplay.h"

#include <optional>

// High-DPI scaling is switched on only when the screen, once scaled, still has room for the
// smallest window layout (1280 x 800); smaller logical screens stay unscaled.
class HighDpiChoice
{
public:
    static bool decide(const std::optional<os::DisplayMode> &mode);
    // Makes the process DPI-aware and switches Qt's scaling on; before the application object.
    static void apply();
};
