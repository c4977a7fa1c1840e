#include "StartupSequence.h"

#include "HighDpiChoice.h"
#include "OpenGlChoice.h"
#include "StartupFolders.h"
#include "TarnRetailClient.h"

#include "Ostmark/CConfig.h"
#include "Ostmark/CLocalConfig.h"
#include "ZoGui/ZoFile.h"
#include "ZoGui/ZoGlobal.h"
#include "ZoGui/ZoMessageBox.h"
#include "ZoGui/ZoMessageNotify.h"
#include "lumo/DExceptionHandler.h"
#include "lumo/DPrintLog.h"
#include "os/OsDisplay.h"
#include "os/OsOpenGL.h"
#include "os/OsProcess.h"
#include "os/OsSingleInstance.h"
#include "os/OsSystemInfo.h"
#include "os/OsUserRegistry.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QNetworkProxyFactory>
#include <QSettings>
#include <QStandardPaths>
#include <QTime>
#include <QTranslator>

using ConfigInfo::CConfig;
using ConfigInfo::CLocalConfig;
using ConfigInfo::DownloadConfigInfo;
using ConfigInfo::PicAccessInfo;
using ConfigInfo::RecordConfig;

namespace {

const char kNotifyHelper[] = "ZoMessageNotify";
const char kStyleSkin[] = "ZodovEvor";

int openGlUseSetting(const QString &programDir)
{
    QSettings settings(programDir + QStringLiteral("/Localcfg.ini"), QSettings::IniFormat);
    settings.setIniCodec("UTF-8");
    bool ok = false;
    const int use = settings.value(QStringLiteral("OpenGL/use")).toInt(&ok);
    return ok ? use : -1;
}

} // namespace

StartupSequence::StartupSequence() = default;

StartupSequence::~StartupSequence() = default;

void StartupSequence::prepareGraphics()
{
    m_programDir = QFileInfo(os::OsProcess::currentExecutablePath()).absolutePath();

    // 1. OpenGL: the report goes to the folder the process was started in.
    const os::GlDriverStrings gl = os::OsOpenGL::driverStrings();
    writeOpenGlReport(gl, QDir::currentPath());
    const OpenGlChoice choice = OpenGlChoice::decide(openGlUseSetting(m_programDir), gl.version,
                                                     os::OsSystemInfo::isWindows7Workstation());
    choice.applyLibraryMove(m_programDir);
    choice.applyAttributes();
    // The embedded browser shares its GL contexts with the widgets.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);

    // 2. High DPI.
    if (HighDpiChoice::decide(os::OsDisplay::nearestMonitorMode()))
        HighDpiChoice::apply();
}

void StartupSequence::writeOpenGlReport(const os::GlDriverStrings &gl, const QString &folder)
{
    QFile report(folder + QStringLiteral("/OpenGL.cfg"));
    if (!report.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    for (const QByteArray &line : {gl.vendor, gl.renderer, gl.version, gl.extensions}) {
        if (!line.isNull())
            report.write(line + '\n');
    }
}

int StartupSequence::run(QApplication &app)
{
    app.installNativeEventFilter(&m_filter); // 4
    QFont font = QApplication::font();       // 5
    font.setFamily(QStringLiteral("Microsoft YaHei"));
    QApplication::setFont(font);
    m_programDir = QCoreApplication::applicationDirPath(); // 6
    QDir::setCurrent(m_programDir);

    m_program = CLocalConfig::instance()->getProgram(); // 7
    ZoGUI::SetProgramType(m_program);
    const QString skin = CLocalConfig::instance()->getSkinPath(); // 8
    QApplication::setWindowIcon(
        QIcon(QStringLiteral("./Skin/%1/TarnRetailClient/OutFile.ico").arg(skin)));
    QCoreApplication::setOrganizationName(m_program); // 9
    QCoreApplication::setApplicationName(m_program);

    StartupFolders::emptyFolder(m_programDir + QStringLiteral("/tmp")); // 10
    setUpLog();                                                         // 11
    resolveResourceFolders();                                           // 12
    if (CConfig::instance()->getWebDebug())                             // 13
        qputenv("QTWEBENGINE_REMOTE_DEBUGGING", "9233");
    QCoreApplication::addLibraryPath(m_programDir + QStringLiteral("/plugins")); // 14
    loadLanguageAndStyle(app);                                                   // 15
    checkIntegrity();                                                            // 16
    app.setProperty("bIs32Bit",                                                  // 17
                    os::OsSystemInfo::is32BitArchitecture(os::OsSystemInfo::nativeArchitecture()));
    startNotifyHelper(); // 18

    if (!acquireSingleInstance()) { // 19
        ZoGUI::ZoMessageBox::ShowInformation(nullptr, tr("Notice"), tr("Application had runned!"),
                                             0x400);
        return 0;
    }
    lumo::DExceptionHandler::StartMonitor( // 20
        (m_program + QStringLiteral("ClientDump")).toLocal8Bit().constData());
    QObject::connect(&app, &QApplication::lastWindowClosed, &app, &QApplication::quit); // 21
    clearWebCacheIfAsked();                                                            // 22
    os::OsProcess::terminateByName(os::OsProcess::executableFileName(m_program));      // 23
    QNetworkProxyFactory::setUseSystemConfiguration(false);                            // 24
    os::OsSingleInstance *instance = m_instance.get();                                 // 25
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &app,
                     [instance] { instance->release(); });

    auto *window = new TarnRetailClient(); // 26
    window->show();
    const int code = app.exec();
    Q_UNUSED(code) // the exit sequence always ends with 0
    delete window;
    return 0;
}

void StartupSequence::setUpLog()
{
    if (!CLocalConfig::instance()->getLogFlag())
        return;
    lumo::DPrintLog *log = lumo::DPrintLog::instance();
    log->SetFile(StartupFolders::logFileName(QTime::currentTime()).toLocal8Bit().constData());
    log->SetStderr(true);
    log->SetSyslog(true);
}

void StartupSequence::resolveResourceFolders()
{
    CConfig *config = CConfig::instance();
    auto resolve = [this](const QString &stored, const char *suffix) {
        return StartupFolders::resolveResourceFolder(stored, m_programDir,
                                                     QString::fromLatin1(suffix));
    };
    PicAccessInfo picture = config->getPicAccessInfo();
    picture.strPicPath = resolve(picture.strPicPath, "/Picture");
    config->setPicAccessInfo(picture);

    RecordConfig record = config->getRecordConfig();
    record.strRecordPath = resolve(record.strRecordPath, "/Record");
    config->setRecordConfig(record);

    DownloadConfigInfo download = config->getDownloadConfig();
    download.strDownloadRecordPath = resolve(download.strDownloadRecordPath, "/DownloadRecord");
    config->setDownloadConfig(download);
    download.strDownloadFilePath = resolve(download.strDownloadFilePath, "/DownloadFile");
    config->setDownloadConfig(download);

    config->setEvaluateSnapPath(resolve(config->getEvaluateSnapPath(), "/SnapPicture"));
}

void StartupSequence::loadLanguageAndStyle(QApplication &app)
{
    const QString language = CLocalConfig::instance()->getLanguage();
    const QString skin = CLocalConfig::instance()->getSkinPath();
    ZoGUI::SetLanguage(language);
    loadTranslations(app, QDir::currentPath() + QStringLiteral("/Language/Language_%1/").arg(language));
    ZoGUI::SetSkinVersion(skin);
    ZoGUI::ZoMessageNotify::instance()->SetParam(
        {m_programDir + QStringLiteral("/Language/Language_%1/ZoMessageNotify_%1.qm").arg(language)},
        {QString::fromLatin1(kStyleSkin)}, QStringLiteral("Chinese"));

    // Windows matches "*.CSS" without regard to case; do the same everywhere.
    const QString cssFolder =
        QDir::currentPath() + QStringLiteral("/Skin/%1/ZoGUI/CSS/").arg(QLatin1String(kStyleSkin));
    QDir cssDir(cssFolder);
    cssDir.setNameFilters({QStringLiteral("*.CSS")});
    cssDir.setFilter(QDir::Files); // without QDir::CaseSensitive the filter ignores case
    cssDir.setSorting(QDir::Name | QDir::IgnoreCase);
    const QStringList sheets = cssDir.entryList();
    app.setStyleSheet(QString::fromUtf8(ZoGUI::ZoFile::ReadAll(sheets, cssFolder)));
}

void StartupSequence::loadTranslations(QApplication &app, const QString &folder)
{
    const QDir dir(folder);
    for (const QString &sub : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        loadTranslations(app, dir.filePath(sub));
    for (const QString &file : dir.entryList(QDir::Files, QDir::Name)) {
        if (file == QLatin1String("qvideointercom_zh.qm"))
            continue;
        auto *translator = new QTranslator(&app);
        if (translator->load(dir.filePath(file)))
            QCoreApplication::installTranslator(translator);
        else
            delete translator;
    }
}

void StartupSequence::checkIntegrity()
{
    // Started by hand instead of through the launcher: allowed, but worth a line in the log.
    if (qEnvironmentVariable("KORVEL_LAUNCHER").isEmpty())
        LUMO_LOG(4, "started without the launcher");
}

void StartupSequence::startNotifyHelper()
{
    os::OsProcess::terminateByName(os::OsProcess::executableFileName(QLatin1String(kNotifyHelper)));
    ZoGUI::ZoMessageNotify *notify = ZoGUI::ZoMessageNotify::instance();
    notify->StartMessageProcess();
    notify->SetMessageNotifyTitle(tr("Title"));
}

bool StartupSequence::acquireSingleInstance()
{
    m_instance = std::make_unique<os::OsSingleInstance>(m_program);
    if (m_instance->create(32))
        return true;
    LUMO_LOG(4, "another %s is running: %s", qUtf8Printable(m_program),
             qUtf8Printable(m_instance->errorString()));
    return false;
}

void StartupSequence::clearWebCacheIfAsked()
{
    CLocalConfig *local = CLocalConfig::instance();
    if (!local->getWebCacheFlag())
        return;
    const QString cachePath = os::OsUserRegistry(m_program).value(QStringLiteral("cachePath")).toString();
    if (!cachePath.isEmpty())
        StartupFolders::clearWebCache(
            cachePath, QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    local->setWebCacheFlag(false);
}
