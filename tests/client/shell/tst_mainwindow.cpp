#include "CLoginSession.h"
#include "DemoServiceProcess.h"
#include "EventLoopWait.h"
#include "TarnRetailClient.h"

#include "Ostmark/AuthCenter.h"
#include "Ostmark/CStorePaths.h"
#include "Ostmark/Network.h"
#include "Ostmark/NetworkListener.h"
#include "Web/CWebViewBase.h"

#include <QtTest>
#include <QtWebEngineWidgets>

#include <functional>

namespace {

class IgnoringListener final : public Common::NetworkListener
{
public:
    void onNetworkData(const QByteArray &, const QString &) override { }
    void onNetworkFinished(const QString &) override { }
    void onNetworkError(Common::NetworkError, const QString &, const QString &) override { }
};

// Answers the next information box of the client with OK or Cancel.
void answerNextBox(bool ok)
{
    QTimer::singleShot(50, [ok] {
        QWidget *box = QApplication::activeModalWidget();
        QVERIFY(box);
        auto *button = box->findChild<QPushButton *>(ok ? QStringLiteral("btnOK")
                                                        : QStringLiteral("btnCancel"));
        QVERIFY(button);
        button->click();
    });
}

} // namespace

class tst_MainWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir m_programDir;
    QTemporaryDir m_userDir;
    DemoServiceProcess m_service;
    std::unique_ptr<TarnRetailClient> m_window;

    QWebEnginePage *page() const
    {
        return m_window->mainWebView()->findChild<QWebEngineView *>()->page();
    }

    QVariant evaluate(const QString &script)
    {
        QVariant result;
        bool done = false;
        page()->runJavaScript(script, QWebEngineScript::MainWorld, [&](const QVariant &value) {
            result = value;
            done = true;
        });
        if (!korveltest::waitUntil([&] { return done; }))
            qWarning("script did not finish: %s", qPrintable(script));
        return result;
    }

    void pageCall(const QString &method, const QString &params = QStringLiteral("{}"))
    {
        evaluate(QStringLiteral("ClientObject.RPCCall(JSON.stringify({method: '%1', params: %2}))")
                     .arg(method, params));
    }

    // Methods of every notification the page received since the last clearSeen().
    QStringList seen() { return evaluate(QStringLiteral("seen.join(',')")).toString().split(','); }
    void clearSeen() { evaluate(QStringLiteral("seen.length = 0")); }
    bool waitSeen(const QString &method)
    {
        return korveltest::waitUntil([&] { return seen().contains(method); });
    }

    void login(bool infoFirst)
    {
        const QString info = QStringLiteral("{userName: 'bob', password: 'demo', envInfo: ''}");
        const QString succ = QStringLiteral("{userName: 'bob', token: 'not-a-service-token'}");
        if (infoFirst) {
            pageCall(QStringLiteral("LoginUserInfo"), info);
            pageCall(QStringLiteral("NotifyLoginSucc"), succ);
        } else {
            pageCall(QStringLiteral("NotifyLoginSucc"), succ);
            pageCall(QStringLiteral("LoginUserInfo"), info);
        }
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_service.start());
        const QString base = m_service.baseUrl().toString(QUrl::StripTrailingSlash);
        QSettings local(m_programDir.filePath(QStringLiteral("Localcfg.ini")), QSettings::IniFormat);
        local.setValue(QStringLiteral("Type/Program"), QStringLiteral("KorvelArden"));
        local.setValue(QStringLiteral("Type/Language"), QStringLiteral("en"));
        local.setValue(QStringLiteral("Log/Enable"), false);
        local.setValue(QStringLiteral("Web/LoginUrl"), QString(base + QStringLiteral("/")));
        local.setValue(QStringLiteral("Web/VersionUrl"), QString(base + QStringLiteral("/client/version")));
        local.setValue(QStringLiteral("Web/PlatformUrl"), base);
        local.setValue(QStringLiteral("Web/WebDlgUrl"), QString(base + QStringLiteral("/msgcenter.html")));
        local.sync();
        ConfigInfo::CStorePaths::setProgramFolder(m_programDir.path());
        ConfigInfo::CStorePaths::setUserStoreFolder(m_userDir.path());
        QStandardPaths::setTestModeEnabled(true);
        QDir::setCurrent(m_programDir.path());

        m_window = std::make_unique<TarnRetailClient>();
        m_window->show();
        // Every notification the page gets is kept, in order, by method.
        QVERIFY(korveltest::waitUntil([&] {
            return evaluate(QStringLiteral("typeof ClientObject !== 'undefined' "
                                           "&& document.readyState === 'complete'"))
                .toBool();
        }));
        evaluate(QStringLiteral("window.seen = []; ClientObject.RPCNotify.connect(function (t) {"
                                " seen.push(JSON.parse(t).method); });"));
    }

    void windowSizes_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSize>("window");
        QTest::newRow("1440x900") << QSize(1440, 900) << QSize(1440, 900);
        QTest::newRow("1366x768") << QSize(1366, 768) << QSize(900, 600);
        QTest::newRow("1280x1024") << QSize(1280, 1024) << QSize(1280, 800);
        QTest::newRow("1920x1080") << QSize(1920, 1080) << QSize(1440, 900);
        QTest::newRow("1280x800") << QSize(1280, 800) << QSize(1280, 800);
    }

    void windowSizes()
    {
        QFETCH(QSize, screen);
        QFETCH(QSize, window);
        QCOMPARE(TarnRetailClient::initialSize(screen), window);
    }

    void windowOnThisScreen()
    {
        const QSize expected = TarnRetailClient::initialSize(
            QGuiApplication::primaryScreen()->geometry().size());
        QCOMPARE(m_window->size(), expected);
        QCOMPARE(m_window->minimumSize(), expected);
        QVERIFY(m_window->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(!m_window->mask().isEmpty());
    }

    // Through the demo's own login form: the page sends both login messages itself.
    void loginThroughThePage()
    {
        QSignalSpy completed(m_window->loginSession(), &CLoginSession::sgnLoginCompleted);
        evaluate(QStringLiteral("document.getElementById('userName').value = 'alice';"
                                "document.getElementById('password').value = 'demo';"
                                "document.getElementById('loginButton').click();"));
        QVERIFY(korveltest::waitUntil([&] { return completed.count() == 1; }));
        QVERIFY(AuthCenter::instance()->isClientLogined());
        pageCall(QStringLiteral("NotifyLoginOut"));
        QVERIFY(korveltest::waitUntil([] { return !AuthCenter::instance()->isClientLogined(); }));
        QCOMPARE(completed.count(), 1);
    }

    void loginNeedsBothMessagesInEitherOrder()
    {
        QSignalSpy completed(m_window->loginSession(), &CLoginSession::sgnLoginCompleted);
        login(true);
        QVERIFY(korveltest::waitUntil([&] { return completed.count() == 1; }));
        pageCall(QStringLiteral("NotifyLoginOut"));
        // One of the two, repeated, completes nothing; the other one does.
        pageCall(QStringLiteral("NotifyLoginSucc"), QStringLiteral("{userName: 'bob'}"));
        pageCall(QStringLiteral("NotifyLoginSucc"), QStringLiteral("{userName: 'bob'}"));
        clearSeen();
        pageCall(QStringLiteral("GetClientInfo")); // a marker behind the calls above
        QVERIFY(waitSeen(QStringLiteral("ReplyClientInfo")));
        QCOMPARE(completed.count(), 1);
        pageCall(QStringLiteral("LoginUserInfo"), QStringLiteral("{userName: 'bob'}"));
        QVERIFY(korveltest::waitUntil([&] { return completed.count() == 2; }));
    }

    void everyUnauthorizedRequestTellsThePage()
    {
        IgnoringListener listener;
        Common::Network request(QStringLiteral("sessionCheck"));
        request.registerObject(&listener);
        request.setTimeoutTime(10000);
        request.setRequestUrl(m_service.url(QStringLiteral("/session/check")).toString());
        clearSeen();
        request.getRequest();
        QVERIFY(waitSeen(QStringLiteral("Notify401")));
        request.getRequest();
        QVERIFY(korveltest::waitUntil([&] { return seen().count(QStringLiteral("Notify401")) == 2; }));
        request.deregisterObject(&listener);
    }

    void noticeWithMaskThenTheGuide()
    {
        clearSeen();
        pageCall(QStringLiteral("showPublicMsgDialog"),
                 QStringLiteral("{title: 'Maintenance', content: 'From 23:00 to 23:30.'}"));
        QWidget *dialog = nullptr;
        QVERIFY(korveltest::waitUntil([&] {
            dialog = m_window->findChild<QWidget *>(QStringLiteral("QPublicMsgDlg"));
            return dialog && dialog->isVisible();
        }));
        auto *mask = m_window->findChild<QWidget *>(QStringLiteral("QMaskWidget"));
        QVERIFY(mask && mask->isVisible());
        QCOMPARE(mask->size(), m_window->size());
        QCOMPARE(dialog->findChild<QLabel *>(QStringLiteral("titleLab"))->text(),
                 QStringLiteral("Maintenance"));
        QCOMPARE(dialog->findChild<QTextBrowser *>(QStringLiteral("contentBrowser"))->toPlainText(),
                 QStringLiteral("From 23:00 to 23:30."));

        // The guide waits for the notice.
        pageCall(QStringLiteral("ShowUserGuide"));
        pageCall(QStringLiteral("GetClientInfo"));
        QVERIFY(waitSeen(QStringLiteral("ReplyClientInfo")));
        QVERIFY(!seen().contains(QStringLiteral("ResponseShowUserGuide")));

        dialog->findChild<QPushButton *>(QStringLiteral("finishBtn"))->click();
        QVERIFY(!dialog->isVisible());
        QVERIFY(!mask->isVisible());
        QVERIFY(waitSeen(QStringLiteral("ResponseShowUserGuide")));
        pageCall(QStringLiteral("QuitUserGuide"));
    }

    void closingWhileLoggedInAsksFirst()
    {
        login(false);
        QVERIFY(korveltest::waitUntil([] { return AuthCenter::instance()->isClientLogined(); }));
        answerNextBox(false);
        m_window->onClose();
        QVERIFY(m_window->isVisible());
        answerNextBox(false);
        QVERIFY(!m_window->close());
        QVERIFY(m_window->isVisible());
    }

    // Last: the client asks the application to exit.
    void exitSayesGoodbyeThenQuitsWithZero()
    {
        clearSeen();
        QElapsedTimer clock;
        clock.start();
        answerNextBox(true);
        QTimer::singleShot(0, m_window.get(), [this] { m_window->close(); });
        QEventLoop loop; // ends with the application's exit code
        const int code = loop.exec();
        QCOMPARE(code, 0);
        QVERIFY(clock.elapsed() >= TarnRetailClient::ExitDelayMs);
        QVERIFY(!m_window->isVisible());
        QVERIFY(seen().contains(QStringLiteral("ExitApp")));
        QCOMPARE(evaluate(QStringLiteral("document.getElementById('exitOverlay').hidden")).toBool(),
                 false);
    }

    void cleanupTestCase() { m_window.reset(); }
};

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    tst_MainWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_mainwindow.moc"
