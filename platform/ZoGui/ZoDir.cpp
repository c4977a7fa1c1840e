#include "ZoDir.h"

#include <QCoreApplication>
#include <QDir>

namespace ZoGUI {

QString ZoDir::GetCurrentPath()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

} // namespace ZoGUI
