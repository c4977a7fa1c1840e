#pragma once

#include "zogui_global.h"

#include <QString>

namespace ZoGUI {

// Folder helpers. Any thread.
class ZOGUI_EXPORT ZoDir
{
public:
    // The program folder (where the executable lies), which the programs also make their
    // current folder; without an application object, the current folder.
    static QString GetCurrentPath();
};

} // namespace ZoGUI
