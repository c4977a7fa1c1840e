#include "StartupFolders.h"

#include "lumo/DPrintLog.h"

#include <QDir>
#include <QFileInfo>
#include <QTime>

QString StartupFolders::resolveResourceFolder(const QString &stored, const QString &programDir,
                                              const QString &defaultSuffix)
{
    const QString path = stored.isEmpty() ? programDir + defaultSuffix : stored;
    QDir dir(path);
    if (!dir.exists())
        QDir().mkdir(path);
    return path;
}

void StartupFolders::emptyFolder(const QString &path)
{
    QDir dir(path);
    if (!dir.exists())
        return;
    const QFileInfoList entries =
        dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        if (entry.isDir() && !entry.isSymLink())
            QDir(entry.filePath()).removeRecursively();
        else
            QFile::remove(entry.filePath());
    }
}

QString StartupFolders::logFileName(const QTime &startTime)
{
    return QString::asprintf("log/%02d-%02d-%02d", startTime.hour(), startTime.minute(),
                             startTime.second());
}

bool StartupFolders::clearWebCache(const QString &cachePath, const QString &userDataRoot)
{
    if (cachePath.isEmpty())
        return false;
    QString path = cachePath;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QString folder = QFileInfo(path).canonicalFilePath();
    const QString root = QFileInfo(userDataRoot).canonicalFilePath();
    if (folder.isEmpty())
        return false; // nothing there
    if (root.isEmpty() || !folder.startsWith(root + QLatin1Char('/'))) {
        LUMO_LOG(6, "web cache folder %s is not below %s; left alone", qUtf8Printable(folder),
                 qUtf8Printable(userDataRoot));
        return false;
    }
    return QDir(folder).removeRecursively();
}
