#include "CStorePaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#include <mutex>

namespace ConfigInfo {

namespace {
std::mutex g_pathMutex;
QString g_programFolder;
QString g_userStoreFolder;
} // namespace

QString CStorePaths::programFolder()
{
    {
        std::lock_guard<std::mutex> lock(g_pathMutex);
        if (!g_programFolder.isEmpty())
            return g_programFolder;
    }
    const QString fromEnv = qEnvironmentVariable("KORVEL_PROGRAM_DIR");
    if (!fromEnv.isEmpty())
        return QDir::cleanPath(fromEnv);
    // Without an application object the executable's folder is unknown; the current
    // directory is the start-up's program folder anyway.
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

void CStorePaths::setProgramFolder(const QString &folder)
{
    std::lock_guard<std::mutex> lock(g_pathMutex);
    g_programFolder = folder.isEmpty() ? QString() : QDir::cleanPath(folder);
}

QString CStorePaths::userStoreFolder()
{
    {
        std::lock_guard<std::mutex> lock(g_pathMutex);
        if (!g_userStoreFolder.isEmpty())
            return g_userStoreFolder;
    }
    const QString fromEnv = qEnvironmentVariable("KORVEL_USER_CONFIG_DIR");
    if (!fromEnv.isEmpty())
        return QDir::cleanPath(fromEnv);
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
}

void CStorePaths::setUserStoreFolder(const QString &folder)
{
    std::lock_guard<std::mutex> lock(g_pathMutex);
    g_userStoreFolder = folder.isEmpty() ? QString() : QDir::cleanPath(folder);
}

QString CStorePaths::resolveInProgramFolder(const QString &path)
{
    if (path.isEmpty() || QDir::isAbsolutePath(path))
        return path;
    return QDir::cleanPath(programFolder() + QLatin1Char('/') + path);
}

} // namespace ConfigInfo
