#pragma once

#include "os_global.h"

#include <QByteArray>

namespace os {

// The OpenGL driver's strings; a string the driver did not give is null.
struct GlDriverStrings
{
    QByteArray vendor;
    QByteArray renderer;
    QByteArray version;
    QByteArray extensions;
    bool contextMade = false;
};

// Reads the driver strings with a throw-away context, before any application object
// exists (EGL surfaceless here, WGL on Windows). No context, no strings.
class KORVELOS_EXPORT OsOpenGL
{
public:
    static GlDriverStrings driverStrings();
};

} // namespace os
