#include "HttpTestServer.h"
#include "NetworkRecorder.h"

#include "Ostmark/AuthCenter.h"
#include "Ostmark/CDataCheckTool.h"
#include "Ostmark/CDeviceInfoObj.h"
#include "Ostmark/CStorePaths.h"
#include "Ostmark/NetworkHelper.h"
#include "Ostmark/PlayToken.h"
#include "Ostmark/QRCommon.h"
#include "Ostmark/UIPermission.h"

#include <QtTest>

#include <atomic>

namespace {

const char *kToken = "tok-session";

// The client's play-token worker: asks for the tokens, then runs its event loop until the
// library reports them.
class PlayTokenWorker : public QThread
{
public:
    PlayTokenWorker()
    {
        connect(PlayToken::instance(), &PlayToken::sgnGetAllTokens, this, &QThread::quit);
    }

protected:
    void run() override
    {
        PlayToken::instance()->requestAllPlayTokens();
        exec();
    }
};

} // namespace

class tst_SessionServices : public QObject
{
    Q_OBJECT

    HttpTestServer m_http;
    QTemporaryDir m_programDir;
    NetworkRecorder m_global;
    std::atomic<int> m_status {200};
    std::atomic<bool> m_hold {false};
    std::atomic<int> m_tokenRequests {0};
    std::atomic<int> m_p2pRequests {0};
    std::mutex m_mutex;
    std::string m_lastBody;
    std::string m_lastAuthorization;
    // QRCommon's results as the GUI thread receives them, and where they arrived.
    QList<bool> m_results;
    QThread *m_resultThread = nullptr;

    bool admit(const httplib::Request &req, httplib::Response &res)
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_lastBody = req.body;
            m_lastAuthorization = req.get_header_value("Authorization");
        }
        if (m_hold)
            m_http.hold();
        if (req.get_header_value("Authorization") != kToken || m_status != 200) {
            res.status = m_status == 200 ? 401 : m_status.load();
            res.set_content(R"({"code":401,"msg":"token missing or expired"})", "application/json");
            return false;
        }
        return true;
    }

    std::string lastBody()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_lastBody;
    }

    // The quit reaches the worker through this thread's event loop, as in the client.
    bool runWorker()
    {
        PlayTokenWorker worker;
        worker.start();
        return QTest::qWaitFor([&] { return worker.isFinished(); }, 20000) && worker.wait();
    }

private slots:
    void initTestCase()
    {
        httplib::Server &s = m_http.server();
        s.Post("/session/playTokens", [this](const httplib::Request &req, httplib::Response &res) {
            ++m_tokenRequests;
            if (!admit(req, res))
                return;
            res.set_content(R"({"code":0,"msg":"success","data":{"tokens":[
                {"deviceId":"dev-1","token":"pt-1","expireTime":1900000000},
                {"deviceId":"dev-2","token":"pt-2","expireTime":1900000001}]}})",
                            "application/json");
        });
        s.Get("/session/p2pConfig", [this](const httplib::Request &req, httplib::Response &res) {
            ++m_p2pRequests;
            if (!admit(req, res))
                return;
            res.set_content(R"({"code":0,"msg":"success","data":{
                "p2pServer":{"scheme":"https","host":"p2p.example","port":"9000"},
                "relayServer":{"scheme":"https","host":"relay.example","port":"9001"},
                "expireTime":1900000000}})",
                            "application/json");
        });
        QVERIFY(m_http.start());

        QSettings local(m_programDir.filePath(QStringLiteral("Localcfg.ini")),
                        QSettings::IniFormat);
        local.setValue(QStringLiteral("Web/PlatformUrl"), m_http.url(""));
        local.sync();
        ConfigInfo::CStorePaths::setProgramFolder(m_programDir.path());
        Common::NetworkHelper::instance()->setGlobalDealwithObj(&m_global);
        connect(QRCommon::instance(), &QRCommon::sgnP2pServiceConfigResult, this, [this](bool ok) {
            m_results.append(ok);
            m_resultThread = QThread::currentThread();
        });
    }

    void cleanupTestCase()
    {
        QRCommon::instance()->uninitEnvironment();
        Common::NetworkHelper::instance()->setGlobalDealwithObj(nullptr);
        ConfigInfo::CStorePaths::setProgramFolder(QString());
        m_http.stop();
    }

    void init()
    {
        AuthCenter::instance()->saveToken(QString::fromLatin1(kToken));
        PlayToken::instance()->clearAllPlayTokens();
        CDeviceInfoObj::instance()->clearDeviceInfoObj();
        m_status = 200;
        m_hold = false;
        m_tokenRequests = 0;
        m_p2pRequests = 0;
        m_global.clear();
        m_results.clear();
    }

    void cleanup() { m_http.release(); }

    void playTokensArriveOnTheWorker()
    {
        QVERIFY(runWorker());
        QCOMPARE(m_tokenRequests.load(), 1);
        QCOMPARE(lastBody(), std::string("{}"));
        const QVector<PlayTokenInfo> tokens = PlayToken::instance()->getAllPlayTokens();
        QCOMPARE(tokens.size(), 2);
        QCOMPARE(PlayToken::instance()->getPlayToken(QStringLiteral("dev-2")),
                 QStringLiteral("pt-2"));
        QCOMPARE(tokens.first().iExpireTime, qint64(1900000000));

        // The devices the session knows are named in the request.
        CDeviceInfoObj::instance()->setDeviceInfo(QStringLiteral("dev-1"), {});
        QVERIFY(runWorker());
        QCOMPARE(lastBody(), std::string(R"({"deviceIds":["dev-1"]})"));
    }

    // A failed request still ends the worker; the tokens held stay, and the main window's
    // global listener sees the 401.
    void aRefusedRequestEndsTheWorker()
    {
        QVERIFY(runWorker());
        m_status = 401;
        QVERIFY(runWorker());
        QCOMPARE(PlayToken::instance()->getAllPlayTokens().size(), 2);
        QTRY_COMPARE(m_global.count(), 1);
        QCOMPARE(m_global.events().first().error.iHttpStatusCode, 401);
        QCOMPARE(m_global.events().first().name, QString::fromLatin1(PlayToken::RequestName));
    }

    void withoutALoginNothingIsAsked()
    {
        AuthCenter::instance()->clearToken();
        QVERIFY(runWorker());
        QCOMPARE(m_tokenRequests.load(), 0);
        QVERIFY(PlayToken::instance()->getAllPlayTokens().isEmpty());
    }

    // The client's stop: clear, cancel, end the worker's loop. The answer that comes later
    // is not stored.
    void aCancelledRequestStoresNothing()
    {
        m_hold = true;
        int done = 0;
        QMetaObject::Connection c = connect(PlayToken::instance(), &PlayToken::sgnGetAllTokens,
                                            this, [&] { ++done; });
        PlayTokenWorker worker;
        worker.start();
        QTRY_COMPARE(m_tokenRequests.load(), 1);
        PlayToken::instance()->clearAllPlayTokens();
        PlayToken::instance()->cancelRequestAllPlayTokens();
        worker.exit(0);
        QVERIFY(worker.wait(20000));
        m_http.release();

        // A new round on a new worker completes normally and is the only one reported.
        m_hold = false;
        QVERIFY(runWorker());
        disconnect(c);
        QCOMPARE(done, 1);
        QCOMPARE(PlayToken::instance()->getAllPlayTokens().size(), 2);
    }

    void p2pConfigurationFetchedInTheBackground()
    {
        QRCommon *qr = QRCommon::instance();
        // Not before the environment is up; the answer still comes later, never at once.
        qr->getP2pServiceConfigByThread();
        QVERIFY(m_results.isEmpty());
        QTRY_COMPARE(m_results, QList<bool>{false});
        QCOMPARE(m_p2pRequests.load(), 0);

        qr->initEnvironment();
        m_results.clear();
        qr->getP2pServiceConfigByThread();
        QTRY_COMPARE(m_results, QList<bool>{true});
        QCOMPARE(m_resultThread, QThread::currentThread());
        const P2pServiceConfig config = qr->getP2pServiceConfig();
        QVERIFY(config.bValid);
        QCOMPARE(config.p2pServer.strHost, QStringLiteral("p2p.example"));
        QCOMPARE(config.p2pServer.nPort, 9000);
        QCOMPARE(config.relayServer.nPort, 9001);

        qr->clearP2pService();
        QVERIFY(!qr->getP2pServiceConfig().bValid);

        m_status = 401;
        m_results.clear();
        qr->getP2pServiceConfigByThread();
        QTRY_COMPARE(m_results, QList<bool>{false});
        QVERIFY(!qr->getP2pServiceConfig().bValid);
        QTRY_COMPARE(m_global.count(), 1);

        AuthCenter::instance()->clearToken();
        const int asked = m_p2pRequests;
        m_results.clear();
        qr->getP2pServiceConfigByThread();
        QTRY_COMPARE(m_results, QList<bool>{false});
        QCOMPARE(m_p2pRequests.load(), asked);
    }

    // Logout while a fetch is running: the late answer belongs to the ended session.
    void aFetchRunningAtLogoutIsDropped()
    {
        QRCommon *qr = QRCommon::instance();
        qr->initEnvironment();
        m_hold = true;
        qr->getP2pServiceConfigByThread();
        QTRY_COMPARE(m_p2pRequests.load(), 1);
        qr->clearP2pService();
        m_http.release();
        m_hold = false;
        qr->getP2pServiceConfigByThread(); // the next session's fetch
        QTRY_COMPARE(m_results, QList<bool>{true});
        QTRY_COMPARE(m_p2pRequests.load(), 2);
        qr->uninitEnvironment();
        QVERIFY(!qr->isEnvironmentReady());
        QVERIFY(!qr->getP2pServiceConfig().bValid);
    }

    void buttonPermissions()
    {
        UIPermission *p = UIPermission::instance();
        QVERIFY(p->isBtnShow(QStringLiteral("recordBack_circlePlay")));
        p->setBtnShowPermission(QStringLiteral("recordBack_circlePlay"), false);
        p->setBtnEnablePermission({QStringLiteral("export"), 42}, false);
        QVERIFY(!p->isBtnShow(QStringLiteral("recordBack_circlePlay")));
        QVERIFY(!p->isBtnEnable(QStringLiteral("export")));
        QVERIFY(!p->isBtnEnable(QStringLiteral("42")));
        QVERIFY(p->isBtnEnable(QStringLiteral("other")));
        p->clearPermission();
        QVERIFY(p->isBtnShow(QStringLiteral("recordBack_circlePlay")));
        QVERIFY(p->isBtnEnable(QStringLiteral("export")));
    }

    void checkCodesNeedTheSessionSalt()
    {
        CDataCheckTool *tool = CDataCheckTool::instance();
        tool->setSalt(QString());
        QVERIFY(tool->makeCheckCode("{\"a\":1}").isEmpty());
        tool->setSalt(QStringLiteral("salt-1"));
        QCOMPARE(
            tool->makeCheckCode("{\"a\":1}"),
            QStringLiteral("2fd9434e0608b8741eb06893cffa856f3c30121547f115811e8ba80462bce2a8"));
        QVERIFY(tool->verifyCheckCode("{\"a\":1}", tool->makeCheckCode("{\"a\":1}")));
        QVERIFY(!tool->verifyCheckCode("{\"a\":2}", tool->makeCheckCode("{\"a\":1}")));
        tool->setSalt(QString());
    }
};

QTEST_GUILESS_MAIN(tst_SessionServices)
#include "tst_sessionservices.moc"
