#pragma once

#include "zocefview_global.h"

#include <QString>
#include <QStringList>

namespace ZoCef {

// The process-wide context of the embedded browser. The static setters take effect for the
// instance created next; createInstance must precede every ZoCefWebView and destroyInstance
// follows the last one. GUI thread only.
class ZOCEFVIEW_EXPORT ZoCefContext
{
public:
    enum Language { Chinese = 0, English = 1 };

    static void setLanguage(int language);
    // Kept for the library's own widgets; pages do not depend on it.
    static void setSkinType(int skinType);
    // Empties the browser's HTTP cache when the instance is created.
    static void setClearCache(bool clearCache);
    // Opens the remote debugging port (127.0.0.1:9233 unless QTWEBENGINE_REMOTE_DEBUGGING
    // names another) for pages of this process.
    static void setWebDebug(bool webDebug);
    // Logs every page call and every console message of the pages.
    static void setLogFlag(bool logFlag);
    // The per-user data folder below which cache and storage live, in
    // "<program type>/WebCache/<program type>"; QStandardPaths::GenericDataLocation when
    // not set.
    static void setDataFolder(const QString &folder);

    // Sets up the browser profile of the process; argv holds argc zero-terminated UTF-8
    // texts, which are copied. The program type is the application name. A second call
    // returns the existing instance.
    static ZoCefContext *createInstance(int argc, char *argv[]);
    static void destroyInstance();
    static ZoCefContext *instance();

    int language() const { return m_language; }
    int skinType() const { return m_skinType; }
    bool webDebug() const { return m_webDebug; }
    bool logFlag() const { return m_logFlag; }
    QStringList arguments() const { return m_arguments; }
    // The folder holding everything the browser stores for this program type. The program
    // type names it last, so that cutting the cache path before its last occurrence gives a
    // folder that holds this program type's web data and nothing else.
    QString webDataFolder() const { return m_webDataFolder; }
    // The HTTP accept-language of the language: "en" or "zh-CN".
    static QString languageTag(int language);

    ZoCefContext(const ZoCefContext &) = delete;
    ZoCefContext &operator=(const ZoCefContext &) = delete;

private:
    ZoCefContext() = default;
    ~ZoCefContext() = default;
    void setUpProfile(bool clearCache, const QString &dataFolder);

    int m_language = Chinese;
    int m_skinType = 0;
    bool m_webDebug = false;
    bool m_logFlag = false;
    QStringList m_arguments;
    QString m_webDataFolder;
};

} // namespace ZoCef
