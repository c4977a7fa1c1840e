#include "CClientInfo.h"

#include "CSettingsFile.h"
#include "CStorePaths.h"

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
    return m_file->value(QStringLiteral("CLIENTINFO/") + QLatin1String(key), defaultValue)
        .toString();
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
