#include "OpenGlChoice.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace {

constexpr int kSoftwareOpenGl = Qt::AA_UseSoftwareOpenGL; // 17

} // namespace

int OpenGlChoice::leadingVersion(const QByteArray &driverVersion)
{
    int digits = 0;
    while (digits < driverVersion.size() && driverVersion.at(digits) >= '0'
           && driverVersion.at(digits) <= '9' && digits < 9)
        ++digits;
    return digits ? driverVersion.left(digits).toInt() : 0;
}

OpenGlChoice OpenGlChoice::decide(int use, const QByteArray &driverVersion, bool windows7)
{
    OpenGlChoice choice;
    // A number that is no Qt attribute would set a bit outside Qt's attribute set.
    int m = (use >= 0 && use < Qt::AA_AttributeCount) ? use : -1;
    const int v = leadingVersion(driverVersion);

    const bool forceSoftware = !windows7 && (v == 3 || v == 4);
    if (forceSoftware) {
        m = kSoftwareOpenGl;
    } else if (m != -1 && m != kSoftwareOpenGl) {
        choice.libraryMove = LibraryMove::MoveAside;
        choice.attribute = m;
        return choice;
    }

    if (v < 4 || m == kSoftwareOpenGl)
        choice.libraryMove = LibraryMove::Restore;
    else
        choice.libraryMove = LibraryMove::MoveAside;
    if (m == kSoftwareOpenGl)
        choice.attribute = kSoftwareOpenGl;
    choice.disableShaderDiskCache = true;
    return choice;
}

void OpenGlChoice::applyLibraryMove(const QString &folder) const
{
    const QDir dir(folder);
    const QString library = dir.filePath(softwareLibraryName());
    const QString backup = dir.filePath(softwareLibraryBackupName());
    switch (libraryMove) {
    case LibraryMove::MoveAside:
        if (QFile::exists(library)) {
            QFile::remove(backup);
            QFile::rename(library, backup);
        }
        break;
    case LibraryMove::Restore:
        if (QFile::exists(backup))
            QFile::rename(backup, library);
        break;
    case LibraryMove::None:
        break;
    }
}

void OpenGlChoice::applyAttributes() const
{
    if (attribute >= 0)
        QCoreApplication::setAttribute(static_cast<Qt::ApplicationAttribute>(attribute));
    if (disableShaderDiskCache)
        QCoreApplication::setAttribute(Qt::AA_DisableShaderDiskCache);
}

QString OpenGlChoice::softwareLibraryName()
{
    return QStringLiteral("opengl32sw.dll");
}

QString OpenGlChoice::softwareLibraryBackupName()
{
    return QStringLiteral("opengl32sw-bak.dll");
}
