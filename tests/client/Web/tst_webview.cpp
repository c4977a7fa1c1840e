#include "EventLoopWait.h"
#include "TestPageServer.h"

#include "Web/CWebBaseMsg.h"
#include "Web/CWebViewBase.h"
#include "Web/FullScreenMsg.h"
#include "Web/IWebListener.h"
#include "Web/QCefView.h"

#include "Ostmark/CStorePaths.h"
#include "ZoCefView/ZoCefContext.h"
#include "ZoCefView/ZoCefWebView.h"
#include "ZoGui/ZoGlobal.h"
#include "ZoGui/ZoMessageNotify.h"
#include "os/OsProcess.h"
#include "os/OsUserRegistry.h"

#include <QBuffer>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>
#include <QWebEngineView>
#include <QtTest>

#include <functional>
#include <memory>

#include <signal.h>

using Web::CWebBaseMsg;
using Web::CWebViewBase;
using Web::QCefView;
using ZoGUI::ZoMessageNotify;

namespace {

const char kScheme[] = "korveltest";

// Keeps every notification; RPCCall gives its result back to the caller.
const char kPage[] = R"(<!DOCTYPE html><html><body><script>
window.notified = [];
ClientObject.RPCNotify.connect(function (text) { notified.push(text); });
</script></body></html>)";

// The text as a JavaScript string literal.
QString jsString(const QString &text)
{
    const QByteArray array = QJsonDocument(QJsonArray {text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

class RecordingListener final : public Web::IWebListener
{
public:
    void onRPCCall(CWebBaseMsg *msg) override
    {
        QString entry = msg->strMethod + QLatin1Char(' ') + msg->strParam;
        if (auto *fullScreen = dynamic_cast<Web::FullScreenMsg *>(msg))
            entry += fullScreen->bFullScreen ? QStringLiteral(" full") : QStringLiteral(" normal");
        calls << entry;
    }
    QStringList calls;
};

// Fails the first requests it is given, then serves a page; keeps the time of each request.
class FlakySchemeHandler : public QWebEngineUrlSchemeHandler
{
    Q_OBJECT

public:
    int failuresLeft = 0;
    QList<qint64> requestTimes;
    QElapsedTimer clock;

    void requestStarted(QWebEngineUrlRequestJob *job) override
    {
        requestTimes << clock.elapsed();
        emit sgnRequest();
        if (failuresLeft > 0) {
            --failuresLeft;
            job->fail(QWebEngineUrlRequestJob::RequestFailed);
            return;
        }
        auto *body = new QBuffer(job);
        body->setData("<!DOCTYPE html><html><body>served</body></html>");
        job->reply("text/html", body);
    }

signals:
    void sgnRequest();
};

} // namespace

class tst_WebView : public QObject
{
    Q_OBJECT

    QTemporaryDir m_programDir;
    QTemporaryDir m_userDir;
    QTemporaryDir m_dataDir;
    QTemporaryDir m_helperDir;
    std::unique_ptr<TestPageServer> m_server;
    std::unique_ptr<CWebViewBase> m_view;
    RecordingListener m_listener;
    FlakySchemeHandler m_schemeHandler;

    QCefView *cefView() const { return m_view->findChild<QCefView *>(); }

    QVariant evaluate(const QString &script)
    {
        QVariant result;
        bool done = false;
        cefView()->cefWebView()->findChild<QWebEngineView *>()->page()->runJavaScript(
            script, QWebEngineScript::MainWorld, [&](const QVariant &value) {
                result = value;
                done = true;
            });
        if (!korveltest::waitUntil([&] { return done; }))
            qWarning("script did not finish: %s", qPrintable(script));
        return result;
    }

    // Calls ClientObject.RPCCall(call) as page script; gives what it returned.
    QVariant pageCall(const QString &call)
    {
        return evaluate(QStringLiteral("ClientObject.RPCCall(%1)").arg(jsString(call)));
    }

    bool loadPage(CWebViewBase *view)
    {
        QSignalSpy loaded(view, &CWebViewBase::sgnLoadSuccess);
        view->setUrl(m_server->url(QStringLiteral("page.html")));
        return korveltest::waitUntil([&] { return !loaded.isEmpty(); });
    }

    void writeLanguage(const QString &language)
    {
        QSettings settings(m_programDir.filePath(QStringLiteral("Localcfg.ini")),
                           QSettings::IniFormat);
        settings.setValue(QStringLiteral("Type/Program"), QStringLiteral("KorvelArden"));
        settings.setValue(QStringLiteral("Type/Language"), language);
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setApplicationName(QStringLiteral("KorvelArden"));
        ConfigInfo::CStorePaths::setProgramFolder(m_programDir.path());
        ConfigInfo::CStorePaths::setUserStoreFolder(m_userDir.path());
        writeLanguage(QStringLiteral("zh"));

        // Desktop notifications through a copy of the helper under a name of its own, out of
        // reach of clients that end every helper by name.
        const QString helper = m_helperDir.filePath(
            os::OsProcess::executableFileName(QStringLiteral("tst_webview_helper")));
        QVERIFY(
            QFile::copy(QStringLiteral(KORVEL_BIN_DIR "/")
                            + os::OsProcess::executableFileName(QStringLiteral("ZoMessageNotify")),
                        helper));
        ZoGUI::SetProgramType(
            QStringLiteral("tst_webview_%1").arg(QCoreApplication::applicationPid()));
        ZoMessageNotify::instance()->setHelperProgram(helper);
        QVERIFY(ZoMessageNotify::instance()->StartMessageProcess());

        ZoCef::ZoCefContext::setDataFolder(m_dataDir.path());
        CWebViewBase::initCefContext(0, 2, false);
        QVERIFY(ZoCef::ZoCefContext::instance());
        m_schemeHandler.clock.start();
        QWebEngineProfile::defaultProfile()->installUrlSchemeHandler(kScheme, &m_schemeHandler);

        m_server = std::make_unique<TestPageServer>(
            std::map<std::string, std::string> {{"page.html", kPage}});
        // As the main window makes its view.
        m_view = std::make_unique<CWebViewBase>(QStringLiteral("Main"));
        m_view->setBackgroundColor(QColor(255, 255, 255));
        m_view->resize(300, 200);
        m_view->show();
        m_view->registerGlobalListener(&m_listener);
        QVERIFY(loadPage(m_view.get()));
    }

    void cleanupTestCase()
    {
        m_view.reset();
        QWebEngineProfile::defaultProfile()->removeUrlSchemeHandler(&m_schemeHandler);
        CWebViewBase::destroyCefContext();
        ZoMessageNotify::instance()->AbouttoQuitApp();
        m_server.reset();
        ConfigInfo::CStorePaths::setProgramFolder(QString());
        ConfigInfo::CStorePaths::setUserStoreFolder(QString());
    }

    // Up to, not including, the last occurrence of the program name in the cache path: the
    // folder of this program type's web data.
    void cachePathIsRecorded()
    {
        const QString expected
            = QDir::toNativeSeparators(m_dataDir.path() + QStringLiteral("/KorvelArden/WebCache/"));
        QCOMPARE(os::OsUserRegistry(QStringLiteral("KorvelArden"))
                     .value(QStringLiteral("cachePath"))
                     .toString(),
                 expected);
    }

    // A page call becomes a typed message for the listener of its method and for the global
    // listener.
    void pageCallReachesTheListeners()
    {
        RecordingListener fullScreen;
        m_view->registerListener(QStringLiteral("FullScreen"), &fullScreen);
        m_listener.calls.clear();
        QCOMPARE(
            pageCall(QStringLiteral(R"({"method":"FullScreen","params":{"bFullScreen":true}})"))
                .toInt(),
            0);
        QVERIFY(korveltest::waitUntil([&] { return !m_listener.calls.isEmpty(); }));
        QCOMPARE(fullScreen.calls, QStringList({QStringLiteral("FullScreen  full")}));
        QCOMPARE(m_listener.calls, QStringList({QStringLiteral("FullScreen  full")}));
        m_view->unregisterListener(&fullScreen);

        // A call answered with a notification: the reply reaches the page's RPCNotify.
        evaluate(QStringLiteral(
            R"(notified = []; ClientObject.RPCCall('{"method":"GetClientInfo","params":{}}'))"));
        QVariant reply;
        QVERIFY(korveltest::waitUntil([&] {
            reply
                = evaluate(QStringLiteral("notified.length ? JSON.parse(notified[0]).method : ''"));
            return !reply.toString().isEmpty();
        }));
        QCOMPARE(reply.toString(), QStringLiteral("ReplyClientInfo"));
    }

    void refusedCallsNeverReachTheQueue_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("notification");
        QTest::newRow("not JSON") << QStringLiteral("method: FullScreen")
                                  << QStringLiteral("Json error:illegal value");
        QTest::newRow("array") << QStringLiteral("[1,2]")
                               << QStringLiteral("Json error:no error occurred");
        QTest::newRow("JSON text, not a document")
            << QStringLiteral(R"("FullScreen")") << QStringLiteral("Json error:illegal value");
        QTest::newRow("no params") << QStringLiteral(R"({"method":"GetClientInfo"})")
                                   << QStringLiteral("Json error: context is not format");
        QTest::newRow("no method") << QStringLiteral(R"({"params":{"bFullScreen":true}})")
                                   << QStringLiteral("Json error: context is not format");
    }

    void refusedCallsNeverReachTheQueue()
    {
        QFETCH(QString, call);
        QFETCH(QString, notification);
        QSignalSpy shown(ZoMessageNotify::instance(), &ZoMessageNotify::sgnNotificationShown);
        m_listener.calls.clear();
        evaluate(QStringLiteral("notified = []; ClientObject.RPCCall(%1); "
                                R"(ClientObject.RPCCall('{"method":"Sentinel","params":{}}'))")
                     .arg(jsString(call)));
        QVERIFY(korveltest::waitUntil([&] { return !m_listener.calls.isEmpty() && !shown.isEmpty(); }));
        // Anything the refused call had queued would have come before the sentinel.
        QCOMPARE(m_listener.calls.first(), QStringLiteral("Sentinel {}"));
        QCOMPARE(shown.first().at(2).toString(), notification);
        QCOMPARE(evaluate(QStringLiteral("notified.length")).toInt(), 0);
    }

    void progressInWholePercent_data()
    {
        QTest::addColumn<double>("progress");
        QTest::addColumn<int>("percent");
        QTest::newRow("0.456") << 0.456 << 45;
        QTest::newRow("1.0") << 1.0 << 100;
        QTest::newRow("0.29") << 29 / 100.0 << 29;
        QTest::newRow("0") << 0.0 << 0;
    }

    void progressInWholePercent()
    {
        QFETCH(double, progress);
        QFETCH(int, percent);
        QSignalSpy reported(m_view.get(), &CWebViewBase::loadProgress);
        cefView()->OnLoadingProgressChange(progress);
        QCOMPARE(reported.count(), 1);
        QCOMPARE(reported.at(0).at(0).toInt(), percent);
    }

    void languageOfThePages_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("tag");
        QTest::newRow("en") << QStringLiteral("en") << QStringLiteral("en");
        QTest::newRow("zh") << QStringLiteral("zh") << QStringLiteral("zh-CN");
        QTest::newRow("empty") << QString() << QStringLiteral("zh-CN");
        QTest::newRow("other") << QStringLiteral("fr") << QStringLiteral("zh-CN");
    }

    void languageOfThePages()
    {
        QFETCH(QString, language);
        QFETCH(QString, tag);
        writeLanguage(language);
        QWebEngineProfile::defaultProfile()->setHttpAcceptLanguage(QStringLiteral("unset"));
        QCefView view(QStringLiteral("Language"));
        writeLanguage(QStringLiteral("zh"));
        QCOMPARE(QWebEngineProfile::defaultProfile()->httpAcceptLanguage(), tag);
    }

    // Square upper corners, rounded lower ones.
    void outlineRoundsTheLowerCorners()
    {
        QCefView *view = cefView();
        QCOMPARE(view->size(), QSize(300, 200));
        const QRegion mask = view->mask();
        QVERIFY(mask.contains(QPoint(0, 0)));
        QVERIFY(mask.contains(QPoint(299, 0)));
        QVERIFY(mask.contains(QPoint(0, 100)));
        QVERIFY(mask.contains(QPoint(150, 199)));
        QVERIFY(!mask.contains(QPoint(0, 199)));
        QVERIFY(!mask.contains(QPoint(299, 199)));
        QCOMPARE(view->cefWebView()->geometry(), view->rect());
    }

    // Each failed load is reloaded once, after the delay; a load that succeeds is left alone.
    void failedLoadReloadsOncePerFailure()
    {
        const int delay = 300;
        QCefView::setReloadDelay(delay);
        CWebViewBase view(QStringLiteral("Reloading"));
        view.show();
        QSignalSpy loaded(&view, &CWebViewBase::sgnLoadSuccess);
        QSignalSpy requests(&m_schemeHandler, &FlakySchemeHandler::sgnRequest);
        m_schemeHandler.failuresLeft = 2;
        m_schemeHandler.requestTimes.clear();
        view.setUrl(QStringLiteral("korveltest:page"));
        QVERIFY(korveltest::waitUntil([&] { return !loaded.isEmpty(); }));
        QCOMPARE(loaded.count(), 1);
        QCOMPARE(loaded.at(0).at(0).toBool(), true);
        QCOMPARE(requests.count(), 3);
        const QList<qint64> times = m_schemeHandler.requestTimes;
        QVERIFY2(times.at(1) - times.at(0) >= delay * 9 / 10,
                 qPrintable(QString::number(times.at(1) - times.at(0))));
        QVERIFY(times.at(2) - times.at(1) >= delay * 9 / 10);
        QVERIFY(!requests.wait(delay * 4));
        QCefView::setReloadDelay(QCefView::kReloadDelayMs);
    }

    // The render process killed: a new library widget takes the place of the old one, and a
    // page loaded into it reaches the listeners.
    void renderProcessDeathRebuildsTheWidget()
    {
        QCefView *view = cefView();
        const QPointer<ZoCef::ZoCefWebView> old = view->cefWebView();
        const qint64 pid = old->renderProcessPid();
        QVERIFY(pid > 0);
        QCOMPARE(::kill(pid_t(pid), SIGKILL), 0);
        QVERIFY(korveltest::waitUntil([&] { return view->cefWebView() != old.data(); }));
        QVERIFY(korveltest::waitUntil([&] { return old.isNull(); }));
        ZoCef::ZoCefWebView *rebuilt = view->cefWebView();
        QVERIFY(rebuilt && rebuilt->isVisible());
        QCOMPARE(rebuilt->geometry(), view->rect());

        QVERIFY(loadPage(m_view.get()));
        m_listener.calls.clear();
        QCOMPARE(
            pageCall(QStringLiteral(R"({"method":"FullScreen","params":{"bFullScreen":false}})"))
                .toInt(),
            0);
        QVERIFY(korveltest::waitUntil([&] { return !m_listener.calls.isEmpty(); }));
        QCOMPARE(m_listener.calls, QStringList({QStringLiteral("FullScreen  normal")}));
    }
};

// QtWebEngine shares its GL context with the widgets, and custom schemes are known before
// the browser starts: both must precede the application object.
int main(int argc, char *argv[])
{
    QWebEngineUrlScheme scheme(kScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    QWebEngineUrlScheme::registerScheme(scheme);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    tst_WebView test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_webview.moc"
