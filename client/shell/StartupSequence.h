#pragma once

#include "WmGetObjectFilter.h"

#include <QCoreApplication>
#include <QString>

#include <memory>

class QApplication;

namespace os {
class OsSingleInstance;
struct GlDriverStrings;
}

// The client's start, from the first line of main() to the end of the event loop:
// graphics choices before the application object, then folders, log, language, style,
// single instance, crash reports, caches and the main window. Main thread only.
class StartupSequence
{
    Q_DECLARE_TR_FUNCTIONS(StartupSequence)

public:
    StartupSequence();
    ~StartupSequence();

    // OpenGL and high-DPI choices; must run before the QApplication exists.
    void prepareGraphics();
    // Everything after the application object; returns the process exit code.
    int run(QApplication &app);

private:
    void writeOpenGlReport(const os::GlDriverStrings &gl, const QString &folder);
    void setUpLog();
    void resolveResourceFolders();
    void loadLanguageAndStyle(QApplication &app);
    void loadTranslations(QApplication &app, const QString &folder);
    void checkIntegrity();
    void startNotifyHelper();
    bool acquireSingleInstance();
    void clearWebCacheIfAsked();

    QString m_programDir;
    QString m_program;
    WmGetObjectFilter m_filter;
    std::unique_ptr<os::OsSingleInstance> m_instance;
};
