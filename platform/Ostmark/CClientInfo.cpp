#include "CClientInfo.h"

#include "CSettingsFile.h"
#include "CStorePaths.h"

#include <QFile>
#include <QSettings>

#include <filesystem>

namespace ConfigInfo {

CClientInfo *CClientInfo::instance()
{
    static CClientInfo info;
    return &info;
}

CClientInfo::CClientInfo()
    : m_file(new CSettingsFile([]() -> QString {
        return CStorePaths::programFolder() + QLatin1Char('/') + QLatin1String(FileName);
    }))
{ }

CClientInfo::~CClientInfo()
{
    delete m_file;
}

QString CClientInfo::filePath() const
{
    return m_file->filePath();
}

QString CClientInfo::text(const char *key, const QString &defaultValue) const
{
    // The file's size and time through std::filesystem: QFileInfo::lastModified converts to
    // local time, which reads the time zone files at every call.
    const QString path = m_file->filePath();
#ifdef Q_OS_WIN
    const std::filesystem::path file(path.toStdWString());
#else
    const std::filesystem::path file(QFile::encodeName(path).toStdString());
#endif
    std::error_code error;
    const std::uintmax_t fileSize = std::filesystem::file_size(file, error);
    const qint64 size = error ? -1 : qint64(fileSize);
    const auto fileTime = std::filesystem::last_write_time(file, error);
    const qint64 modified = error ? -1 : qint64(fileTime.time_since_epoch().count());

    std::lock_guard<std::mutex> lock(m_cacheMutex);
    if (!m_cacheValid || path != m_cachedPath || size != m_cachedSize
        || modified != m_cachedModified) {
        m_cachedValues = m_file->read([](QSettings &settings) {
            QHash<QString, QVariant> values;
            settings.beginGroup(QStringLiteral("CLIENTINFO"));
            const QStringList keys = settings.childKeys();
            for (const QString &name : keys)
                values.insert(name, settings.value(name));
            return values;
        });
        m_cachedPath = path;
        m_cachedSize = size;
        m_cachedModified = modified;
        m_cacheValid = true;
    }
    return m_cachedValues.value(QLatin1String(key), defaultValue).toString();
}

QString CClientInfo::getLogoName() const
{
    return text("LogoName", QStringLiteral("logo.png"));
}

QString CClientInfo::getClientName() const
{
    return text("Name", QStringLiteral("Korvel"));
}

QString CClientInfo::getClientVersion() const
{
    return text("Version", QStringLiteral("V1.000.0000001.0.R"));
}

QString CClientInfo::getIntroduction() const
{
    return text("Introduction");
}

QString CClientInfo::getIntroductionContent() const
{
    return text("IntroductionContent");
}

QString CClientInfo::getLink() const
{
    return text("Link");
}

QString CClientInfo::getLinkContent() const
{
    return text("LinkContent");
}

QString CClientInfo::getService() const
{
    return text("Service");
}

QString CClientInfo::getOpenSource() const
{
    return text("OpenSource");
}

QString CClientInfo::getTermsLink() const
{
    return text("TermsLink");
}

} // namespace ConfigInfo
