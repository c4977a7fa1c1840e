#include "CLocalConfig.h"

#include "CSettingsFile.h"
#include "CStorePaths.h"

namespace ConfigInfo {

namespace {
const QString kService = QString::fromLatin1(CLocalConfig::DefaultServiceUrl);
} // namespace

CLocalConfig *CLocalConfig::instance()
{
    static CLocalConfig config;
    return &config;
}

CLocalConfig::CLocalConfig()
    : m_file(new CSettingsFile([]() -> QString {
        return CStorePaths::programFolder() + QLatin1Char('/') + QLatin1String(FileName);
    }))
{ }

CLocalConfig::~CLocalConfig()
{
    delete m_file;
}

QString CLocalConfig::filePath() const
{
    return m_file->filePath();
}

QString CLocalConfig::text(const char *key, const QString &defaultValue) const
{
    return m_file->value(QLatin1String(key), defaultValue).toString();
}

QString CLocalConfig::getProgram() const
{
    return text("Type/Program", QStringLiteral("KorvelArden"));
}

QString CLocalConfig::getLanguage() const
{
    return text("Type/Language", QStringLiteral("zh"));
}

QString CLocalConfig::getSkinPath() const
{
    return text("Skin/Path", QStringLiteral("Korvel"));
}

bool CLocalConfig::getLogFlag() const
{
    return m_file->value(QStringLiteral("Log/Enable"), true).toBool();
}

int CLocalConfig::getOpenGLUse() const
{
    bool ok = false;
    const int use = m_file->value(QStringLiteral("OpenGL/use")).toInt(&ok);
    return ok ? use : -1;
}

QString CLocalConfig::getLoginUrl() const
{
    return text("Web/LoginUrl", kService + QLatin1Char('/'));
}

QString CLocalConfig::getVersionUrl() const
{
    return text("Web/VersionUrl", kService + QStringLiteral("/client/version"));
}

QString CLocalConfig::getPlatformUrl() const
{
    return text("Web/PlatformUrl", kService);
}

QString CLocalConfig::getWebDlgUrl() const
{
    return text("Web/WebDlgUrl", kService + QStringLiteral("/msgcenter.html"));
}

QString CLocalConfig::getWebUrl() const
{
    return text("Web/WebUrl", kService + QLatin1Char('/'));
}

QString CLocalConfig::getAppStoreUrl() const
{
    return text("Web/AppStoreUrl", kService + QStringLiteral("/hot/product/getPcMobileApp"));
}

QString CLocalConfig::getHeartBeartUrl() const
{
    return text("Web/HeartBeatUrl", kService);
}

bool CLocalConfig::setPlatformUrl(const QString &url)
{
    return m_file->setValue(QStringLiteral("Web/PlatformUrl"), url);
}

bool CLocalConfig::setPlatformUrl(const QString &scheme, const QString &host, int port)
{
    return setPlatformUrl(scheme + QStringLiteral("://") + host + QLatin1Char(':')
                          + QString::number(port));
}

bool CLocalConfig::setWebUrl(const QString &url)
{
    return m_file->setValue(QStringLiteral("Web/WebUrl"), url);
}

bool CLocalConfig::setHeartBeartUrl(const QString &url)
{
    return m_file->setValue(QStringLiteral("Web/HeartBeatUrl"), url);
}

bool CLocalConfig::getWebCacheFlag() const
{
    return m_file->value(QStringLiteral("Web/CacheFlag"), false).toBool();
}

bool CLocalConfig::setWebCacheFlag(bool flag)
{
    return m_file->setValue(QStringLiteral("Web/CacheFlag"), flag);
}

bool CLocalConfig::getWebDebug() const
{
    return m_file->value(QStringLiteral("Web/Debug"), false).toBool();
}

bool CLocalConfig::getLocalEnvInfoEnable() const
{
    return m_file->value(QStringLiteral("Web/LocalEnvInfoEnable"), false).toBool();
}

QString CLocalConfig::getTlsCaFile() const
{
    return CStorePaths::resolveInProgramFolder(text("Tls/CaFile", QString()));
}

int CLocalConfig::getInstantReplayTime() const
{
    return m_file->value(QStringLiteral("Video/InstantReplayTime"), 30).toInt();
}

bool CLocalConfig::setInstantReplayTime(int seconds)
{
    return m_file->setValue(QStringLiteral("Video/InstantReplayTime"), seconds);
}

OpenPlatformEndpoint CLocalConfig::endpoint(const QString &group) const
{
    return m_file->read([&](QSettings &s) {
        OpenPlatformEndpoint info;
        s.beginGroup(group);
        info.strHost = s.value(QStringLiteral("Host")).toString();
        info.nPort = s.value(QStringLiteral("Port"), 0).toInt();
        info.bHttps = s.value(QStringLiteral("Https"), false).toBool();
        return info;
    });
}

bool CLocalConfig::setEndpoint(const QString &group, const OpenPlatformEndpoint &info)
{
    return m_file->write([&](QSettings &s) {
        s.beginGroup(group);
        s.setValue(QStringLiteral("Host"), info.strHost);
        s.setValue(QStringLiteral("Port"), info.nPort);
        s.setValue(QStringLiteral("Https"), info.bHttps);
    });
}

ComIOTOpen CLocalConfig::getComIOTOpenInfo() const
{
    return endpoint(QStringLiteral("ComIOTOpen"));
}

bool CLocalConfig::setComIOTOpenInfo(const ComIOTOpen &info)
{
    return setEndpoint(QStringLiteral("ComIOTOpen"), info);
}

LocalQROpen CLocalConfig::getQROpenInfo() const
{
    return endpoint(QStringLiteral("LocalQROpen"));
}

bool CLocalConfig::setQROpenInfo(const LocalQROpen &info)
{
    return setEndpoint(QStringLiteral("LocalQROpen"), info);
}

VideoIntercomSetting CLocalConfig::getVideoIntercomSetting() const
{
    return m_file->read([](QSettings &s) {
        VideoIntercomSetting info;
        info.strHost = s.value(QStringLiteral("VideoIntercom/Host")).toString();
        info.nPort = s.value(QStringLiteral("VideoIntercom/Port"), 0).toInt();
        return info;
    });
}

bool CLocalConfig::setVideoIntercomSetting(const VideoIntercomSetting &info)
{
    return m_file->write([&](QSettings &s) {
        s.setValue(QStringLiteral("VideoIntercom/Host"), info.strHost);
        s.setValue(QStringLiteral("VideoIntercom/Port"), info.nPort);
    });
}

} // namespace ConfigInfo
