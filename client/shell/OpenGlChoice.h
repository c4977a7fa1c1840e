#pragma once

#include <QByteArray>
#include <QString>

// How the client renders with OpenGL, decided before the application object exists from the
// driver's version, the site's "[OpenGL] use" setting and whether this is Windows 7.
struct OpenGlChoice
{
    enum class LibraryMove {
        None,
        MoveAside, // software library "opengl32sw.dll" -> "opengl32sw-bak.dll"
        Restore    // "opengl32sw-bak.dll" -> "opengl32sw.dll"
    };

    int attribute = -1; // Qt::ApplicationAttribute to switch on, -1 for none
    bool disableShaderDiskCache = false;
    LibraryMove libraryMove = LibraryMove::None;

    // use: the "[OpenGL] use" value, -1 when absent; driverVersion: GL_VERSION, may be null.
    static OpenGlChoice decide(int use, const QByteArray &driverVersion, bool windows7);
    // The leading integer of a GL_VERSION string, 0 when there is none.
    static int leadingVersion(const QByteArray &driverVersion);
    // Moves the software library in folder as decided; failures are ignored.
    void applyLibraryMove(const QString &folder) const;
    // Switches the attributes on; call before the application object exists.
    void applyAttributes() const;

    static QString softwareLibraryName();
    static QString softwareLibraryBackupName();
};
