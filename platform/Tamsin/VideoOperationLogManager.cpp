#include "VideoOperationLogManager.h"

#include "lumo/DPrintLog.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>

namespace {

std::mutex s_instanceMutex;
VideoOperationLogManager *s_instance = nullptr;

const char kLogFileName[] = "VideoOperation.log";

} // namespace

VideoOperationLogManager *VideoOperationLogManager::GetInstance()
{
    std::lock_guard<std::mutex> lock(s_instanceMutex);
    if (!s_instance)
        s_instance = new VideoOperationLogManager();
    return s_instance;
}

void VideoOperationLogManager::ReleaseInstance()
{
    std::lock_guard<std::mutex> lock(s_instanceMutex);
    delete s_instance;
    s_instance = nullptr;
}

VideoOperationLogManager::VideoOperationLogManager()
    : m_folder(defaultLogFolder())
{ }

VideoOperationLogManager::~VideoOperationLogManager() = default;

QString VideoOperationLogManager::defaultLogFolder()
{
    const QString base = QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                                      : QDir::currentPath();
    return base + QStringLiteral("/OperationLog");
}

void VideoOperationLogManager::SetLogFolder(const QString &folder)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const QString wanted = folder.isEmpty() ? defaultLogFolder() : folder;
    if (wanted == m_folder)
        return;
    m_folder = wanted;
    m_file.close(); // the next record opens the file in the new folder
}

QString VideoOperationLogManager::GetLogFilePath() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return QDir(m_folder).filePath(QLatin1String(kLogFileName));
}

void VideoOperationLogManager::SetUserName(const QString &user)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_user = user;
}

QString VideoOperationLogManager::GetUserName() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_user;
}

bool VideoOperationLogManager::openLocked()
{
    if (m_file.isOpen())
        return true;
    if (!QDir().mkpath(m_folder)) {
        LUMO_LOG(6, "cannot create the operation log folder %s", qUtf8Printable(m_folder));
        return false;
    }
    m_file.setFileName(QDir(m_folder).filePath(QLatin1String(kLogFileName)));
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        LUMO_LOG(6, "cannot open the operation log %s: %s", qUtf8Printable(m_file.fileName()),
                 qUtf8Printable(m_file.errorString()));
        return false;
    }
    return true;
}

// Tabs and line breaks inside a field would split the record; they become blanks.
QString VideoOperationLogManager::field(const QString &text)
{
    QString out = text;
    for (QChar &c : out) {
        if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            c = QLatin1Char(' ');
    }
    return out;
}

bool VideoOperationLogManager::AddOperationRecord(const QString &operation, const QString &detail)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!openLocked())
        return false;
    // Taken under the lock, so that the times in the file follow the order of the lines.
    const QString time
        = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    const QByteArray line
        = (time + QLatin1Char('\t') + field(m_user) + QLatin1Char('\t') + field(operation)
           + QLatin1Char('\t') + field(detail) + QLatin1Char('\n'))
              .toUtf8();
    if (m_file.write(line) != line.size() || !m_file.flush()) {
        LUMO_LOG(6, "cannot write the operation log %s: %s", qUtf8Printable(m_file.fileName()),
                 qUtf8Printable(m_file.errorString()));
        m_file.close();
        return false;
    }
    return true;
}
