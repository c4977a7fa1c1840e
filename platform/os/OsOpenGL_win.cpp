#include "OsOpenGL.h"

#include <windows.h>
#include <GL/gl.h>

namespace os {

GlDriverStrings OsOpenGL::driverStrings()
{
    GlDriverStrings result;
    HWND desktop = GetDesktopWindow();
    HDC dc = GetDC(desktop);
    if (!dc)
        return result;
    PIXELFORMATDESCRIPTOR pfd {};
    pfd.nSize = sizeof pfd;
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = 32;
    pfd.cDepthBits = 24;
    pfd.cStencilBits = 8;
    const int format = ChoosePixelFormat(dc, &pfd);
    HGLRC context = nullptr;
    if (format && SetPixelFormat(dc, format, &pfd))
        context = wglCreateContext(dc);
    if (context && wglMakeCurrent(dc, context)) {
        result.contextMade = true;
        auto read = [](GLenum name) {
            const GLubyte *text = glGetString(name);
            return text ? QByteArray(reinterpret_cast<const char *>(text)) : QByteArray();
        };
        result.vendor = read(GL_VENDOR);
        result.renderer = read(GL_RENDERER);
        result.version = read(GL_VERSION);
        result.extensions = read(GL_EXTENSIONS);
        wglMakeCurrent(nullptr, nullptr);
    }
    if (context)
        wglDeleteContext(context);
    ReleaseDC(desktop, dc);
    return result;
}

} // namespace os
