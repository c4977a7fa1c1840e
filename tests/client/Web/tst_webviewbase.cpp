#include "RecordingWebViewImp.h"

#include "Web/CWebBaseMsg.h"
#include "Web/CWebViewBase.h"
#include "Web/IWebListener.h"
#include "Web/LoginSuccessMsg.h"
#include "Web/QCefView.h"

#include "Ostmark/CStorePaths.h"
#include "Ostmark/MessageBus.h"

#include <QtTest>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

using Web::CWebBaseMsg;
using Web::CWebViewBase;
using Web::IWebListener;

namespace {

// Each call is written to a shared log as "<listener>:<method>"; an action may run inside
// the call.
class RecordingListener final : public IWebListener
{
public:
    RecordingListener(const QString &name, QStringList *log)
        : m_name(name)
        , m_log(log)
    { }

    void onRPCCall(CWebBaseMsg *msg) override
    {
        QString entry = m_name + QLatin1Char(':') + msg->strMethod;
        if (dynamic_cast<Web::LoginSuccessMsg *>(msg))
            entry += QStringLiteral("(login)");
        m_log->append(entry);
        if (action)
            action(msg);
    }

    std::function<void(CWebBaseMsg *)> action;

private:
    QString m_name;
    QStringList *m_log;
};

// Counts its destructions, to see a message released.
class CountedMsg : public CWebBaseMsg
{
public:
    ~CountedMsg() override { ++destroyed; }
    static std::atomic<int> destroyed;
};
std::atomic<int> CountedMsg::destroyed {0};

QString callText(const QString &method)
{
    return QStringLiteral(R"({"method":"%1","params":{}})").arg(method);
}

} // namespace

class tst_WebViewBase : public QObject
{
    Q_OBJECT

    QTemporaryDir m_programDir;
    QTemporaryDir m_userDir;
    std::unique_ptr<CWebViewBase> m_view;
    RecordingWebViewImp *m_imp = nullptr; // child of m_view
    QStringList m_log;

    // Pushes page calls through the view's queue and waits until the listeners have seen
    // the last one, a sentinel registered to a global listener of its own.
    void dispatch(const QStringList &calls)
    {
        RecordingListener sentinel(QStringLiteral("sentinel"), &m_log);
        m_view->registerListener(QStringLiteral("Sentinel"), &sentinel);
        for (const QString &call : calls)
            m_view->onRPCCall(call);
        m_view->onRPCCall(callText(QStringLiteral("Sentinel")));
        QTRY_VERIFY_WITH_TIMEOUT(m_log.contains(QStringLiteral("sentinel:Sentinel")), 5000);
        m_view->unregisterMethod(QStringLiteral("Sentinel"));
        // Global listeners see the sentinel too.
        for (int i = m_log.size() - 1; i >= 0; --i) {
            if (m_log.at(i).endsWith(QLatin1String(":Sentinel")))
                m_log.removeAt(i);
        }
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        ConfigInfo::CStorePaths::setProgramFolder(m_programDir.path());
        ConfigInfo::CStorePaths::setUserStoreFolder(m_userDir.path());
    }

    void cleanupTestCase()
    {
        ConfigInfo::CStorePaths::setProgramFolder(QString());
        ConfigInfo::CStorePaths::setUserStoreFolder(QString());
    }

    void init()
    {
        m_log.clear();
        m_imp = new RecordingWebViewImp(QStringLiteral("Main"));
        m_view = std::make_unique<CWebViewBase>(QStringLiteral("Main"), m_imp);
    }

    void cleanup() { m_view.reset(); }

    // The main window registers its methods, then the toolbar controller its own, then the
    // plugin loader for every method: the last registration is called first.
    void dispatchFollowsRegistrationOrder_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("login, all three")
            << QStringLiteral(R"({"method":"NotifyLoginSucc","params":{"logoName":"Shop"}})")
            << QStringList {QStringLiteral("loader:NotifyLoginSucc(login)"),
                            QStringLiteral("toolbar:NotifyLoginSucc(login)"),
                            QStringLiteral("main:NotifyLoginSucc(login)")};
        QTest::newRow("main window only")
            << callText(QStringLiteral("MinSize"))
            << QStringList {QStringLiteral("loader:MinSize"), QStringLiteral("main:MinSize")};
        QTest::newRow("nobody: the global fallback")
            << callText(QStringLiteral("alarmCloseSound"))
            << QStringList {QStringLiteral("loader:alarmCloseSound")};
    }

    void dispatchFollowsRegistrationOrder()
    {
        QFETCH(QString, call);
        QFETCH(QStringList, expected);
        RecordingListener mainWindow(QStringLiteral("main"), &m_log);
        RecordingListener toolbar(QStringLiteral("toolbar"), &m_log);
        RecordingListener loader(QStringLiteral("loader"), &m_log);
        for (const char *method : {"NotifyLoginSucc", "NotifyLoginOut", "MinSize", "CloseApp"})
            m_view->registerListener(QString::fromLatin1(method), &mainWindow);
        for (const char *method : {"NotifyLoginSucc", "NotifySwitchMenuBtn", "LoginUserInfo"})
            m_view->registerListener(QString::fromLatin1(method), &toolbar);
        m_view->registerGlobalListener(&loader);

        dispatch({call});
        QCOMPARE(m_log, expected);
    }

    void registrationRules()
    {
        RecordingListener first(QStringLiteral("first"), &m_log);
        RecordingListener second(QStringLiteral("second"), &m_log);
        RecordingListener global(QStringLiteral("global"), &m_log);
        const QString a = QStringLiteral("MethodA");
        const QString b = QStringLiteral("MethodB");

        // Registered twice, called twice; a global listener registered before a method's
        // first listener comes along with it, after it.
        m_view->registerGlobalListener(&global);
        m_view->registerListener(a, &first);
        m_view->registerListener(a, &first);
        m_view->registerListener(b, &second);
        dispatch({callText(a), callText(b)});
        QCOMPARE(m_log,
                 QStringList({QStringLiteral("first:MethodA"), QStringLiteral("first:MethodA"),
                              QStringLiteral("global:MethodA"), QStringLiteral("second:MethodB"),
                              QStringLiteral("global:MethodB")}));

        // Without its listeners a method goes to the global listeners; a listener taken off
        // is gone from every method.
        m_log.clear();
        m_view->unregisterMethod(a);
        m_view->unregisterListener(&global);
        m_view->registerGlobalListener(&second);
        dispatch({callText(a), callText(b)});
        QCOMPARE(m_log,
                 QStringList({QStringLiteral("second:MethodA"), QStringLiteral("second:MethodB"),
                              QStringLiteral("second:MethodB")}));

        // Nobody at all: the message is dropped.
        m_log.clear();
        m_view->unregisterListener(&second);
        dispatch({callText(a)});
        QVERIFY(m_log.isEmpty());
    }

    // A listener that takes itself and the next one off, and deletes that one, during the
    // dispatch: the deleted listener is not called.
    void listenersUnregisteringDuringDispatch()
    {
        auto *later = new RecordingListener(QStringLiteral("later"), &m_log);
        RecordingListener last(QStringLiteral("last"), &m_log);
        RecordingListener first(QStringLiteral("first"), &m_log);
        const QString method = QStringLiteral("Method");
        m_view->registerListener(method, &last);
        m_view->registerListener(method, later);
        m_view->registerListener(method, &first);
        first.action = [&](CWebBaseMsg *) {
            m_view->unregisterListener(&first);
            m_view->unregisterListener(later);
            delete later;
        };
        dispatch({callText(method), callText(method)});
        QCOMPARE(m_log,
                 QStringList({QStringLiteral("first:Method"), QStringLiteral("last:Method"),
                              QStringLiteral("last:Method")}));
    }

    void moduleNotifications_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QStringList>("dispatched");
        QTest::newRow("MessageRead") << QStringLiteral(R"({"method":"MessageRead","params":{}})")
                                     << true << QStringList {QStringLiteral("g:MessageRead")};
        QTest::newRow("alarmCloseSound")
            << QStringLiteral(R"({"method":"alarmCloseSound","params":{"id":1}})") << true
            << QStringList {QStringLiteral("g:alarmCloseSound")};
        QTest::newRow("other method")
            << QStringLiteral(R"({"method":"MinSize","params":{}})") << true << QStringList();
        QTest::newRow("no method") << QStringLiteral(R"({"params":{}})") << true << QStringList();
        QTest::newRow("not JSON") << QStringLiteral("{method") << false << QStringList();
        QTest::newRow("not an object") << QStringLiteral("[1,2]") << false << QStringList();
    }

    // Through the module bus under the view's name, from another thread as plugins do.
    void moduleNotifications()
    {
        QFETCH(QString, text);
        QFETCH(bool, result);
        QFETCH(QStringList, dispatched);
        RecordingListener global(QStringLiteral("g"), &m_log);
        m_view->registerGlobalListener(&global);
        bool answer = !result;
        std::thread sender(
            [&] { answer = MessageBus::instance()->deliverModule(m_view->name(), text); });
        sender.join();
        QCOMPARE(answer, result);
        dispatch({});
        QCOMPARE(m_log, dispatched);
    }

    // Notifications for the page from any thread reach the browser widget in order; once the
    // view is gone the bus no longer knows it.
    void notificationsReachThePage()
    {
        QSignalSpy sent(m_imp, &RecordingWebViewImp::sgnSentToWeb);
        QVERIFY(MessageBus::instance()->deliverRPC(QStringLiteral("Main"), QStringLiteral("one")));
        std::thread sender([] {
            for (const char *text : {"two", "three"})
                MessageBus::instance()->deliverRPC(QStringLiteral("Main"),
                                                   QString::fromLatin1(text));
        });
        sender.join();
        QTRY_COMPARE(sent.count(), 3);
        QCOMPARE(
            m_imp->sentToWeb,
            QStringList({QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")}));

        m_view.reset();
        QVERIFY(!MessageBus::instance()->hasRPCHost(QStringLiteral("Main")));
        QVERIFY(!MessageBus::instance()->hasModuleHost(QStringLiteral("Main")));
        QVERIFY(!MessageBus::instance()->deliverRPC(QStringLiteral("Main"), QStringLiteral("x")));
    }

    // A page call answered with a reply: "GetClientInfo" comes back as "ReplyClientInfo".
    void replyReachesThePage()
    {
        QSignalSpy sent(m_imp, &RecordingWebViewImp::sgnSentToWeb);
        m_view->onRPCCall(callText(QStringLiteral("GetClientInfo")));
        QVERIFY(sent.wait(5000));
        const QJsonObject reply
            = QJsonDocument::fromJson(m_imp->sentToWeb.value(0).toUtf8()).object();
        QCOMPARE(reply.value(QLatin1String("method")).toString(),
                 QStringLiteral("ReplyClientInfo"));
        QVERIFY(reply.value(QLatin1String("params")).toObject().contains(QLatin1String("version")));
    }

    // Typed messages still travelling to the GUI thread go with the view, not leaked.
    void pendingMessagesDieWithTheView()
    {
        RecordingListener global(QStringLiteral("g"), &m_log);
        m_view->registerGlobalListener(&global);
        CountedMsg::destroyed = 0;
        std::thread worker([this] {
            for (int i = 0; i < 3; ++i) {
                auto *msg = new CountedMsg;
                msg->strMethod = QStringLiteral("Late");
                m_view->sendMsgToManager(msg);
            }
        });
        worker.join();
        m_view.reset();
        QCOMPARE(CountedMsg::destroyed.load(), 3);
        QCoreApplication::processEvents();
        QVERIFY(m_log.isEmpty());

        // Dispatched messages are deleted once, after the listeners.
        init();
        m_view->registerGlobalListener(&global);
        CountedMsg::destroyed = 0;
        std::thread again([this] {
            auto *msg = new CountedMsg;
            msg->strMethod = QStringLiteral("OnTime");
            m_view->sendMsgToManager(msg);
        });
        again.join();
        QTRY_COMPARE(m_log, QStringList({QStringLiteral("g:OnTime")}));
        QCOMPARE(CountedMsg::destroyed.load(), 1);
        m_view.reset();
        QCOMPARE(CountedMsg::destroyed.load(), 1);
    }

    void forwardsToAndFromTheBrowserWidget()
    {
        m_view->setBackgroundColor(QColor(255, 255, 255));
        m_view->setUrl(QStringLiteral("http://127.0.0.1:18080/"));
        m_view->setHtml(QStringLiteral("<p>x</p>"));
        QCOMPARE(m_imp->background, QColor(Qt::white));
        QCOMPARE(m_imp->urls, QStringList({QStringLiteral("http://127.0.0.1:18080/")}));
        QCOMPARE(m_imp->htmls, QStringList({QStringLiteral("<p>x</p>")}));
        QCOMPARE(m_imp->parentWidget(), m_view.get());

        QSignalSpy loaded(m_view.get(), &CWebViewBase::sgnLoadSuccess);
        QSignalSpy progress(m_view.get(), &CWebViewBase::loadProgress);
        emit m_imp->loadProgress(45);
        emit m_imp->sgnLoadSuccess(true);
        QCOMPARE(progress.value(0).value(0).toInt(), 45);
        QCOMPARE(loaded.value(0).value(0).toBool(), true);
    }

    void cacheFolder_data()
    {
        QTest::addColumn<QString>("cachePath");
        QTest::addColumn<QString>("expected");
        QTest::newRow("name then a sub-folder")
            << QStringLiteral("/home/u/.local/share/KorvelArden/WebCache/KorvelArden/Cache")
            << QDir::toNativeSeparators(
                   QStringLiteral("/home/u/.local/share/KorvelArden/WebCache/"));
        QTest::newRow("case-sensitive") << QStringLiteral("/data/KorvelArden/cache/korvelarden/x")
                                        << QDir::toNativeSeparators(QStringLiteral("/data/"));
        QTest::newRow("name absent") << QStringLiteral("/data/cache")
                                     << QDir::toNativeSeparators(QStringLiteral("/data/cache"));
    }

    void cacheFolder()
    {
        QFETCH(QString, cachePath);
        QFETCH(QString, expected);
        QCOMPARE(Web::QCefView::cacheFolder(cachePath, QStringLiteral("KorvelArden")), expected);
    }
};

QTEST_MAIN(tst_WebViewBase)

#include "tst_webviewbase.moc"
