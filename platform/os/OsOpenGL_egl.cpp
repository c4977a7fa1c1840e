#include "OsOpenGL.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <cstring>

namespace os {

namespace {

constexpr unsigned int kGlVendor = 0x1F00;
constexpr unsigned int kGlRenderer = 0x1F01;
constexpr unsigned int kGlVersion = 0x1F02;
constexpr unsigned int kGlExtensions = 0x1F03;

EGLDisplay openDisplay()
{
    const char *clientExtensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    if (clientExtensions && std::strstr(clientExtensions, "EGL_MESA_platform_surfaceless")) {
        auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
            eglGetProcAddress("eglGetPlatformDisplayEXT"));
        if (getPlatformDisplay) {
            EGLDisplay display =
                getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
            if (display != EGL_NO_DISPLAY)
                return display;
        }
    }
    return eglGetDisplay(EGL_DEFAULT_DISPLAY);
}

} // namespace

GlDriverStrings OsOpenGL::driverStrings()
{
    GlDriverStrings result;
    EGLDisplay display = openDisplay();
    if (display == EGL_NO_DISPLAY)
        return result;
    EGLint major = 0, minor = 0;
    if (!eglInitialize(display, &major, &minor))
        return result;

    EGLContext context = EGL_NO_CONTEXT;
    if (eglBindAPI(EGL_OPENGL_API)) {
        const EGLint configAttributes[] = {EGL_RED_SIZE,        8, EGL_GREEN_SIZE, 8,
                                           EGL_BLUE_SIZE,       8, EGL_ALPHA_SIZE, 8,
                                           EGL_DEPTH_SIZE,      24, EGL_STENCIL_SIZE, 8,
                                           EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_NONE};
        EGLConfig config = nullptr;
        EGLint count = 0;
        const bool haveConfig = eglChooseConfig(display, configAttributes, &config, 1, &count)
            && count > 0;
        context = eglCreateContext(display, haveConfig ? config : EGL_NO_CONFIG_KHR,
                                   EGL_NO_CONTEXT, nullptr);
    }
    if (context != EGL_NO_CONTEXT
        && eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context)) {
        using GetString = const unsigned char *(*)(unsigned int);
        auto glGetString = reinterpret_cast<GetString>(eglGetProcAddress("glGetString"));
        if (glGetString) {
            result.contextMade = true;
            auto read = [&](unsigned int name) {
                const unsigned char *text = glGetString(name);
                return text ? QByteArray(reinterpret_cast<const char *>(text)) : QByteArray();
            };
            result.vendor = read(kGlVendor);
            result.renderer = read(kGlRenderer);
            result.version = read(kGlVersion);
            result.extensions = read(kGlExtensions);
        }
        eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    }
    if (context != EGL_NO_CONTEXT)
        eglDestroyContext(display, context);
    eglTerminate(display);
    eglReleaseThread();
    return result;
}

} // namespace os
