#pragma once

#include "os_global.h"

class QWidget;

namespace os {

// Window operations the window manager does for us. GUI thread only.
class KORVELOS_EXPORT OsWindow
{
public:
    // Hands a drag of a frameless window to the window manager (the caption-drag move).
    static bool startSystemMove(QWidget *window);
};

} // namespace os
