#include "ZoCefContext.h"

#include "lumo/DPrintLog.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QWebEngineProfile>

namespace ZoCef {

namespace {

struct PendingSettings
{
    int language = ZoCefContext::Chinese;
    int skinType = 0;
    bool clearCache = false;
    bool webDebug = false;
    bool logFlag = false;
    QString dataFolder;
};

PendingSettings &pending()
{
    static PendingSettings settings;
    return settings;
}

ZoCefContext *s_instance = nullptr;

} // namespace

void ZoCefContext::setLanguage(int language)
{
    pending().language = language;
}
void ZoCefContext::setSkinType(int skinType)
{
    pending().skinType = skinType;
}
void ZoCefContext::setClearCache(bool clearCache)
{
    pending().clearCache = clearCache;
}
void ZoCefContext::setWebDebug(bool webDebug)
{
    pending().webDebug = webDebug;
}
void ZoCefContext::setLogFlag(bool logFlag)
{
    pending().logFlag = logFlag;
}
void ZoCefContext::setDataFolder(const QString &folder)
{
    pending().dataFolder = folder;
}

QString ZoCefContext::languageTag(int language)
{
    return language == English ? QStringLiteral("en") : QStringLiteral("zh-CN");
}

ZoCefContext *ZoCefContext::createInstance(int argc, char *argv[])
{
    if (s_instance) {
        LUMO_LOG(5, "the browser context exists already");
        return s_instance;
    }
    const PendingSettings &settings = pending();
    auto *context = new ZoCefContext;
    context->m_language = settings.language;
    context->m_skinType = settings.skinType;
    context->m_webDebug = settings.webDebug;
    context->m_logFlag = settings.logFlag;
    for (int i = 0; i < argc && argv && argv[i]; ++i)
        context->m_arguments << QString::fromUtf8(argv[i]);

    // Chromium reads the debugging port once, when the profile is first touched below.
    if (context->m_webDebug && qEnvironmentVariableIsEmpty("QTWEBENGINE_REMOTE_DEBUGGING"))
        qputenv("QTWEBENGINE_REMOTE_DEBUGGING", "127.0.0.1:9233");

    QString dataFolder = settings.dataFolder;
    if (dataFolder.isEmpty())
        dataFolder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    context->setUpProfile(settings.clearCache, dataFolder);
    s_instance = context;
    return context;
}

void ZoCefContext::setUpProfile(bool clearCache, const QString &dataFolder)
{
    QString programType = QCoreApplication::applicationName();
    if (programType.isEmpty())
        programType = QStringLiteral("Korvel");
    // The client records the cache path up to the last occurrence of the program type as the
    // folder to empty when the user asks for a clean web cache: "<type>/WebCache/".
    m_webDataFolder = QDir::cleanPath(dataFolder + QLatin1Char('/') + programType
                                      + QStringLiteral("/WebCache/") + programType);
    if (!QDir().mkpath(m_webDataFolder))
        LUMO_LOG(6, "cannot create the web data folder %s", qUtf8Printable(m_webDataFolder));

    QWebEngineProfile *profile = QWebEngineProfile::defaultProfile();
    profile->setCachePath(m_webDataFolder + QStringLiteral("/Cache"));
    profile->setPersistentStoragePath(m_webDataFolder + QStringLiteral("/Storage"));
    profile->setHttpCacheType(QWebEngineProfile::DiskHttpCache);
    profile->setPersistentCookiesPolicy(QWebEngineProfile::AllowPersistentCookies);
    profile->setHttpAcceptLanguage(languageTag(m_language));
    if (clearCache)
        profile->clearHttpCache();
    LUMO_LOG(4, "browser context: data %s, language %s, web debug %d, clear cache %d",
             qUtf8Printable(m_webDataFolder), qUtf8Printable(languageTag(m_language)),
             int(m_webDebug), int(clearCache));
}

void ZoCefContext::destroyInstance()
{
    delete s_instance;
    s_instance = nullptr;
}

ZoCefContext *ZoCefContext::instance()
{
    return s_instance;
}

} // namespace ZoCef
