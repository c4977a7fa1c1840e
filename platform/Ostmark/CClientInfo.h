#pragma once

#include "ostmark_global.h"

#include <QHash>
#include <QString>
#include <QVariant>

#include <mutex>

namespace ConfigInfo {

class CSettingsFile;

// The edition's client information: "ClientInfo.ini" in the program folder (CStorePaths),
// group [CLIENTINFO], UTF-8. Read-only for the client; the installer ships one per edition.
//
// Keys: LogoName, Name, Version (form "V1.000.0000001.3.R"), and the About texts
// Introduction, IntroductionContent, Link, LinkContent, Service, OpenSource, TermsLink.
//
// Any thread. The file's values are read once and kept until the file changes (another
// path, size or modification time).
class OSTMARK_EXPORT CClientInfo
{
public:
    static CClientInfo *instance();

    static constexpr const char *FileName = "ClientInfo.ini";

    QString filePath() const;

    QString getLogoName() const;
    QString getClientName() const; // default "Korvel"
    QString getClientVersion() const; // default "V1.000.0000001.0.R"

    QString getIntroduction() const;
    QString getIntroductionContent() const;
    QString getLink() const;
    QString getLinkContent() const;
    QString getService() const;
    QString getOpenSource() const;
    QString getTermsLink() const;

    CClientInfo(const CClientInfo &) = delete;
    CClientInfo &operator=(const CClientInfo &) = delete;

private:
    CClientInfo();
    ~CClientInfo();

    QString text(const char *key, const QString &defaultValue = QString()) const;

    CSettingsFile *m_file;

    mutable std::mutex m_cacheMutex;
    mutable bool m_cacheValid = false;
    mutable QString m_cachedPath;
    mutable qint64 m_cachedSize = -1;
    mutable qint64 m_cachedModified = -1; // file clock ticks
    mutable QHash<QString, QVariant> m_cachedValues; // keys of [CLIENTINFO]
};

} // namespace ConfigInfo
