#include "HttpTestServer.h"
#include "NetworkRecorder.h"

#include "Ostmark/CStorePaths.h"
#include "Ostmark/Network.h"
#include "Ostmark/NetworkHelper.h"

#include <QtTest>
#include <QNetworkReply>

using Common::Network;

namespace {

const int kBigSize = 4 * 1024 * 1024;

QByteArray bigBody()
{
    QByteArray body(kBigSize, Qt::Uninitialized);
    for (int i = 0; i < body.size(); ++i)
        body[i] = char('a' + (i / 1000) % 26);
    return body;
}

// Runs one request on a thread of its own: the Network object is made there.
class RequestThread : public QThread
{
public:
    RequestThread(const QString &url, NetworkRecorder *recorder)
        : m_url(url)
        , m_recorder(recorder)
    { }

protected:
    void run() override
    {
        Network network(QStringLiteral("worker"));
        network.registerObject(m_recorder);
        network.setTimeoutTime(10000);
        network.setRequestUrl(m_url);
        network.getRequest();
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [this] {
            if (m_recorder->done())
                quit();
        });
        poll.start(5);
        exec();
        network.deregisterObject(m_recorder);
    }

private:
    QString m_url;
    NetworkRecorder *m_recorder;
};

} // namespace

class tst_Network : public QObject
{
    Q_OBJECT

    HttpTestServer m_http;
    NetworkRecorder m_global;
    QByteArray m_big;

private slots:
    void initTestCase()
    {
        m_big = bigBody();
        httplib::Server &s = m_http.server();
        s.Get("/big", [this](const httplib::Request &, httplib::Response &res) {
            // Sent in pieces, and the rest only once the client has the first piece, so the
            // body arrives in several chunks.
            res.set_chunked_content_provider(
                "application/octet-stream", [this](size_t offset, httplib::DataSink &sink) {
                    const size_t piece = 64 * 1024;
                    if (offset == piece)
                        m_http.waitAtGate();
                    const size_t n = std::min(piece, size_t(m_big.size()) - offset);
                    sink.write(m_big.constData() + offset, n);
                    if (offset + n >= size_t(m_big.size()))
                        sink.done();
                    return true;
                });
        });
        s.Get("/text", [](const httplib::Request &req, httplib::Response &res) {
            res.set_content("answer-" + req.get_param_value("v"), "text/plain");
        });
        s.Get("/hold", [this](const httplib::Request &, httplib::Response &res) {
            m_http.hold();
            res.set_content("late", "text/plain");
        });
        s.Get("/unauthorized", [](const httplib::Request &, httplib::Response &res) {
            res.status = 401;
            res.set_content(R"({"code":401,"msg":"token missing or expired"})", "application/json");
        });
        s.Post("/echo", [](const httplib::Request &req, httplib::Response &res) {
            res.set_content(req.get_header_value("Authorization") + "|"
                                + req.get_header_value("Content-Type") + "|"
                                + req.get_header_value("x-vesk-timestamp") + "|" + req.body,
                            "text/plain");
        });
        s.Get("/echo", [](const httplib::Request &req, httplib::Response &res) {
            res.set_content(req.get_header_value("Authorization") + "|"
                                + req.get_header_value("Accept-Language"),
                            "text/plain");
        });
        QVERIFY(m_http.start());
        Common::NetworkHelper::instance()->setGlobalDealwithObj(&m_global);
    }

    void cleanupTestCase()
    {
        Common::NetworkHelper::instance()->setGlobalDealwithObj(nullptr);
        m_http.stop();
    }

    void init() { m_global.clear(); }
    void cleanup() { m_http.release(); }

    void chunksInOrderThenFinishedLast()
    {
        NetworkRecorder recorder;
        Network network(QStringLiteral("big"));
        network.registerObject(&recorder);
        network.setTimeoutTime(10000);
        network.setRequestUrl(m_http.url("/big"));
        m_http.closeGate();
        network.getRequest();
        QCOMPARE(recorder.count(), 0); // never from inside the call
        QTRY_VERIFY_WITH_TIMEOUT(recorder.count() > 0, 10000);
        QVERIFY(!recorder.done());
        m_http.openGate();
        QTRY_VERIFY_WITH_TIMEOUT(recorder.done(), 20000);

        const QList<NetworkEvent> events = recorder.events();
        QVERIFY(events.size() > 2);
        for (int i = 0; i < events.size(); ++i) {
            QCOMPARE(events.at(i).kind,
                     i + 1 < events.size() ? NetworkEvent::Data : NetworkEvent::Finished);
            QCOMPARE(events.at(i).name, QStringLiteral("big"));
            QCOMPARE(events.at(i).thread, QThread::currentThread());
        }
        QVERIFY(recorder.body() == m_big);
        QCOMPARE(m_global.count(), 0);
    }

    void callbacksOnTheThreadThatMadeTheObject()
    {
        NetworkRecorder recorder;
        RequestThread worker(m_http.url("/text?v=w"), &recorder);
        worker.start();
        QVERIFY(worker.wait(20000));
        const QList<NetworkEvent> events = recorder.events();
        QCOMPARE(events.size(), 2);
        for (const NetworkEvent &e : events)
            QCOMPARE(e.thread, &worker);
        QCOMPARE(recorder.body(), QByteArray("answer-w"));

        // A failure on the worker reaches the global listener on the thread that registered
        // it.
        NetworkRecorder failing;
        RequestThread failingWorker(m_http.url("/unauthorized"), &failing);
        failingWorker.start();
        QVERIFY(failingWorker.wait(20000));
        QCOMPARE(failing.events().size(), 1);
        QCOMPARE(failing.events().first().thread, &failingWorker);
        QTRY_COMPARE(m_global.count(), 1);
        QCOMPARE(m_global.events().first().thread, QThread::currentThread());
        QCOMPARE(m_global.events().first().error.iHttpStatusCode, 401);
    }

    void unauthorizedReachesTheGlobalListener()
    {
        NetworkRecorder recorder;
        Network network(QStringLiteral("loadLogoInfo"));
        network.registerObject(&recorder);
        network.setRequestUrl(m_http.url("/unauthorized"));
        network.getRequest();
        QTRY_VERIFY(recorder.done());

        const QList<NetworkEvent> events = recorder.events();
        QCOMPARE(events.size(), 1); // the error body is no data
        QCOMPARE(events.first().kind, NetworkEvent::Error);
        QCOMPARE(events.first().error.iHttpStatusCode, 401);
        QCOMPARE(events.first().error.iErrorCode, int(QNetworkReply::AuthenticationRequiredError));
        QCOMPARE(events.first().name, QStringLiteral("loadLogoInfo"));

        QTRY_COMPARE(m_global.count(), 1);
        const NetworkEvent global = m_global.events().first();
        QCOMPARE(global.error.iHttpStatusCode, 401);
        QCOMPARE(global.error.iErrorCode, events.first().error.iErrorCode);
        QCOMPARE(global.text, events.first().text);
        QCOMPARE(global.name, QStringLiteral("loadLogoInfo"));
    }

    void timeOut()
    {
        NetworkRecorder recorder;
        Network network(QStringLiteral("queryClientVersion"));
        network.registerObject(&recorder);
        network.setTimeoutTime(300);
        network.setRequestUrl(m_http.url("/hold"));
        QElapsedTimer clock;
        clock.start();
        network.getRequest();
        QTRY_VERIFY_WITH_TIMEOUT(recorder.done(), 10000);
        QVERIFY(clock.elapsed() >= 250);

        const QList<NetworkEvent> events = recorder.events();
        QCOMPARE(events.size(), 1);
        QCOMPARE(events.first().kind, NetworkEvent::Error);
        QCOMPARE(events.first().error.iErrorCode, int(QNetworkReply::TimeoutError));
        QCOMPARE(events.first().error.iHttpStatusCode, 0);
        QTRY_COMPARE(m_global.count(), 1);
        QCOMPARE(m_global.events().first().error.iErrorCode, int(QNetworkReply::TimeoutError));
    }

    void reusedForASecondRequest()
    {
        NetworkRecorder recorder;
        Network network(QStringLiteral("vesk"));
        network.registerObject(&recorder);
        network.setTimeoutTime(10000);
        network.setRequestUrl(m_http.url("/text?v=1"));
        network.getRequest();
        QTRY_VERIFY(recorder.done());
        QCOMPARE(recorder.body(), QByteArray("answer-1"));
        QVERIFY(!network.isRunning());

        recorder.clear();
        network.setRequestUrl(m_http.url("/text?v=2"));
        network.getRequest();
        QTRY_VERIFY(recorder.done());
        QCOMPARE(recorder.events().size(), 2);
        QCOMPARE(recorder.body(), QByteArray("answer-2"));
    }

    // A cancelled request, or one superseded by the next request of the same object,
    // reports nothing at all, not even a failure.
    void cancelledAndSupersededRequestsStaySilent()
    {
        NetworkRecorder recorder;
        Network network(QStringLiteral("plugin"));
        network.registerObject(&recorder);
        network.setRequestUrl(m_http.url("/hold"));
        network.getRequest();
        network.setRequestUrl(m_http.url("/text?v=3"));
        network.getRequest(); // supersedes the held one
        QTRY_VERIFY(recorder.done());
        QCOMPARE(recorder.events().size(), 2);
        QCOMPARE(recorder.body(), QByteArray("answer-3"));

        recorder.clear();
        network.setRequestUrl(m_http.url("/hold"));
        network.getRequest();
        network.cancleRequest();
        QVERIFY(!network.isRunning());
        // Another object's complete round trip gives the cancelled one time to misbehave.
        NetworkRecorder other;
        Network probe(QStringLiteral("probe"));
        probe.registerObject(&other);
        probe.setRequestUrl(m_http.url("/text?v=4"));
        probe.getRequest();
        QTRY_VERIFY(other.done());
        QCOMPARE(recorder.count(), 0);
        QCOMPARE(m_global.count(), 0);
    }

    void headersBodyAndAuthorization()
    {
        NetworkRecorder recorder;
        Network network(QStringLiteral("vesk"));
        network.registerObject(&recorder);
        network.setAuthorization(QStringLiteral("tok-123"));
        network.setRequestUrl(m_http.url("/echo"));
        network.postRequest(QByteArray(R"({"menuKey":"video"})"),
                            {{QStringLiteral("x-vesk-timestamp"), QStringLiteral("1234")}});
        QTRY_VERIFY(recorder.done());
        QCOMPARE(recorder.body(),
                 QByteArray(R"(tok-123|application/json;charset=utf-8|1234|{"menuKey":"video"})"));

        recorder.clear();
        network.setAuthorization(QString());
        network.getRequest({{QStringLiteral("Accept-Language"), QStringLiteral("zh-CN")}});
        QTRY_VERIFY(recorder.done());
        QCOMPARE(recorder.body(), QByteArray("|zh-CN"));
    }

    // https trusts the system store plus "[Tls] CaFile"; a self-signed service is refused
    // until its certificate is configured.
    void extraTrustedCertificate()
    {
        const char *cert = KORVEL_SOURCE_DIR "/tests/demo/service/fixtures/localhost.crt";
        const char *key = KORVEL_SOURCE_DIR "/tests/demo/service/fixtures/localhost.key";
        HttpTestServer https(cert, key);
        https.server().Get("/text", [](const httplib::Request &, httplib::Response &res) {
            res.set_content("secure", "text/plain");
        });
        QVERIFY(https.start());

        QTemporaryDir programDir;
        ConfigInfo::CStorePaths::setProgramFolder(programDir.path());
        NetworkRecorder recorder;
        Network network(QStringLiteral("tls"));
        network.registerObject(&recorder);
        network.setRequestUrl(https.url("/text", "https"));
        network.getRequest();
        QTRY_VERIFY_WITH_TIMEOUT(recorder.done(), 10000);
        QCOMPARE(recorder.events().first().kind, NetworkEvent::Error);
        QCOMPARE(recorder.events().first().error.iErrorCode,
                 int(QNetworkReply::SslHandshakeFailedError));

        QSettings local(programDir.filePath(QStringLiteral("Localcfg.ini")), QSettings::IniFormat);
        local.setValue(QStringLiteral("Tls/CaFile"), QString::fromLatin1(cert));
        local.sync();
        recorder.clear();
        network.getRequest();
        QTRY_VERIFY_WITH_TIMEOUT(recorder.done(), 10000);
        ConfigInfo::CStorePaths::setProgramFolder(QString());
        QCOMPARE(recorder.events().last().kind, NetworkEvent::Finished);
        QCOMPARE(recorder.body(), QByteArray("secure"));
    }
};

QTEST_GUILESS_MAIN(tst_Network)
#include "tst_network.moc"
