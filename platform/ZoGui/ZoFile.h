#pragma once

#include "zogui_global.h"

#include <QByteArray>
#include <QStringList>

namespace ZoGUI {

// File helpers. Any thread.
class ZOGUI_EXPORT ZoFile
{
public:
    // The bytes of the named files one after the other, in the order given. A name is taken
    // relative to folder unless it is absolute; a file that cannot be read is logged and
    // skipped, so a missing style sheet never hides the others.
    static QByteArray ReadAll(const QStringList &fileNames, const QString &folder);
};

} // namespace ZoGUI
