#pragma once

#include "zogui_global.h"

#include <QString>

// Process-wide settings of the widget library. Any thread.
namespace ZoGUI {

// The program type names the helper program's local socket, so that programs of different
// types (and different users) never talk to each other's helper.
ZOGUI_EXPORT void SetProgramType(const QString &programType);
ZOGUI_EXPORT QString GetProgramType();

// Language code as the program folder names it ("zh", "en": Language/Language_<code>/).
ZOGUI_EXPORT void SetLanguage(const QString &language);
ZOGUI_EXPORT QString GetLanguage();

// Skin folder name below "./Skin/".
ZOGUI_EXPORT void SetSkinVersion(const QString &skinVersion);
ZOGUI_EXPORT QString GetSkinVersion();

// Current folder + "/Skin/" + skin version + "/ZoGUI/" + relativePath. The file may be missing:
// callers fall back to their built-in look.
ZOGUI_EXPORT QString GetSkinFilePath(const QString &relativePath);

} // namespace ZoGUI
