#include "OsOpenGL.h"

namespace os {

// Built without EGL: no context can be made, so there are no strings.
GlDriverStrings OsOpenGL::driverStrings()
{
    return GlDriverStrings();
}

} // namespace os
