#pragma once

#include "ConfigRecords.h"
#include "ostmark_global.h"

#include <QString>

namespace ConfigInfo {

class CSettingsFile;

// The installation's settings: "Localcfg.ini" in the program folder (CStorePaths), UTF-8.
//
// Groups and keys:
//   [Type]    Program (KorvelArden, KorvelBrisa, KorvelCalen), Language (zh, en)
//   [Skin]    Path
//   [Log]     Enable
//   [OpenGL]  use (a Qt application attribute number; absent means no choice)
//   [Web]     LoginUrl, VersionUrl, PlatformUrl, WebDlgUrl, WebUrl, AppStoreUrl,
//             HeartBeatUrl, CacheFlag, Debug, LocalEnvInfoEnable
//   [Tls]     CaFile (an extra trusted CA certificate, PEM; relative to the program folder)
//   [Video]   InstantReplayTime (seconds)
//   [ComIOTOpen], [LocalQROpen]  Host, Port, Https
//   [VideoIntercom]              Host, Port
// A missing key reads as its default; the addresses default to the demo service on
// http://127.0.0.1:18080.
//
// Thread-safe: any thread may read while another writes. Every setter writes the file
// before it returns, so the value survives a restart.
class OSTMARK_EXPORT CLocalConfig
{
public:
    static CLocalConfig *instance();

    static constexpr const char *FileName = "Localcfg.ini";
    static constexpr const char *DefaultServiceUrl = "http://127.0.0.1:18080";

    QString filePath() const;

    QString getProgram() const; // default "KorvelArden"
    QString getLanguage() const; // default "zh"
    QString getSkinPath() const; // default "Korvel"
    bool getLogFlag() const; // default true
    int getOpenGLUse() const; // -1 when absent

    QString getLoginUrl() const;
    QString getVersionUrl() const;
    QString getPlatformUrl() const;
    QString getWebDlgUrl() const;
    QString getWebUrl() const;
    QString getAppStoreUrl() const;
    QString getHeartBeartUrl() const;

    bool setPlatformUrl(const QString &url);
    // scheme + "://" + host + ":" + port.
    bool setPlatformUrl(const QString &scheme, const QString &host, int port);
    bool setWebUrl(const QString &url);
    bool setHeartBeartUrl(const QString &url);

    // One-shot request to clear the web cache at the next start.
    bool getWebCacheFlag() const;
    bool setWebCacheFlag(bool flag);

    bool getWebDebug() const;
    // True: the environment endpoints of this file are kept, the page's are ignored.
    bool getLocalEnvInfoEnable() const;

    // Absolute path of the extra CA certificate, or empty when none is configured.
    QString getTlsCaFile() const;

    int getInstantReplayTime() const; // default 30
    bool setInstantReplayTime(int seconds);

    ComIOTOpen getComIOTOpenInfo() const;
    bool setComIOTOpenInfo(const ComIOTOpen &info);
    LocalQROpen getQROpenInfo() const;
    bool setQROpenInfo(const LocalQROpen &info);
    VideoIntercomSetting getVideoIntercomSetting() const;
    bool setVideoIntercomSetting(const VideoIntercomSetting &info);

    CLocalConfig(const CLocalConfig &) = delete;
    CLocalConfig &operator=(const CLocalConfig &) = delete;

private:
    CLocalConfig();
    ~CLocalConfig();

    QString text(const char *key, const QString &defaultValue) const;
    OpenPlatformEndpoint endpoint(const QString &group) const;
    bool setEndpoint(const QString &group, const OpenPlatformEndpoint &info);

    CSettingsFile *m_file;
};

} // namespace ConfigInfo
