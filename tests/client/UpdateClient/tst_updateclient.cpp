#include "CUpdateClient.h"

#include "HttpTestServer.h"
#include "Ostmark/AuthCenter.h"
#include "Ostmark/CStorePaths.h"
#include "lumo/DPrintLog.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSettings>
#include <QtTest>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>

namespace {

const QString kLocal = QStringLiteral("V1.000.0000001.3.R");
const QString kNewer = QStringLiteral("V1.000.0000001.12.R");
const QString kPackage
    = QStringLiteral("http://127.0.0.1:1/downloads/Korvel_V1.000.0000001.12.R.zip");
// A description across lines, with characters of more than one UTF-8 byte.
const QString kDesc = QStringLiteral("新版本\nfaster start \"quoted\"");

QByteArray answer(const QJsonValue &version, const QJsonValue &least, const QJsonValue &fileSize,
                  const QJsonValue &url = kPackage, const QJsonValue &desc = kDesc)
{
    const QJsonObject data {{"version", version},
                            {"filesize", fileSize},
                            {"url", url},
                            {"leastVersion", least},
                            {"desc", desc}};
    return QJsonDocument(QJsonObject {{"code", 0}, {"msg", "success"}, {"data", data}})
        .toJson(QJsonDocument::Compact);
}

QString pid()
{
    return QString::number(QCoreApplication::applicationPid());
}

// Counts the callbacks that reach the checker, so a test knows when an answer was handled.
class ObservedUpdateClient : public CUpdateClient
{
public:
    void onNetworkData(const QByteArray &chunk, const QString &name) override
    {
        CUpdateClient::onNetworkData(chunk, name);
        ++chunks;
    }
    void onNetworkFinished(const QString &name) override
    {
        CUpdateClient::onNetworkFinished(name);
        ++finished;
    }
    void onNetworkError(Common::NetworkError error, const QString &text,
                        const QString &name) override
    {
        CUpdateClient::onNetworkError(error, text, name);
        ++errors;
    }

    int chunks = 0;
    int finished = 0;
    int errors = 0;
};

// A program folder of its own: the two configuration files and the recorder as the updater.
class ProgramFolder
{
public:
    ProgramFolder(const QString &localVersion, const QString &program, const QString &versionUrl)
    {
        QSettings local(m_dir.filePath("Localcfg.ini"), QSettings::IniFormat);
        local.setIniCodec("UTF-8");
        local.setValue("Type/Program", program);
        local.setValue("Web/VersionUrl", versionUrl);
        QSettings info(m_dir.filePath("ClientInfo.ini"), QSettings::IniFormat);
        info.setIniCodec("UTF-8");
        info.setValue("CLIENTINFO/Version", localVersion);
        local.sync();
        info.sync();
        m_ok = m_dir.isValid() && local.status() == QSettings::NoError
            && info.status() == QSettings::NoError
            && QFile::copy(QStringLiteral(UPDATE_RECORDER), m_dir.filePath("Update"));
        ConfigInfo::CStorePaths::setProgramFolder(m_dir.path());
    }
    ~ProgramFolder() { ConfigInfo::CStorePaths::setProgramFolder(QString()); }

    bool isValid() const { return m_ok; }
    QString argsFile() const { return m_dir.filePath("UpdateArgs.json"); }

    // The recorded command line; "count" says how many arguments arrived.
    QStringList recordedArgs(int *count) const
    {
        QFile file(argsFile());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        const QJsonObject record = QJsonDocument::fromJson(file.readAll()).object();
        *count = record.value("count").toInt(-1);
        QStringList args;
        for (const QJsonValue &v : record.value("args").toArray())
            args << v.toString();
        return args;
    }

private:
    QTemporaryDir m_dir;
    bool m_ok = false;
};

} // namespace

class tst_UpdateClient : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void versionNumber_data();
    void versionNumber();
    void answers_data();
    void answers();
    void repeatedAnswerIsHandledOnce();
    void answerInChunksIsAssembled();
    void tokenIsSentAsAuthorization();
    void failedRequestIsIgnored();
    void destroyedWhileRequestRuns();

private:
    void serve(const QByteArray &body)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_body = body.toStdString();
    }
    // The checker's records written since the last call, as "<level letter>:<text>".
    QStringList newLogRecords();

    HttpTestServer m_server;
    std::mutex m_mutex;
    std::string m_body;
    std::string m_authorization;
    bool m_hasAuthorization = false;
    int m_failStatus = 0;
    std::atomic<int> m_hits {0};
    std::atomic<bool> m_heldArrived {false};
    std::atomic<bool> m_heldDone {false};
    QTemporaryDir m_logDir;
    qint64 m_logRead = 0;
};

void tst_UpdateClient::initTestCase()
{
    QVERIFY(m_logDir.isValid());
    QVERIFY(lumo::DPrintLog::instance()->SetFile(qPrintable(m_logDir.filePath("update.log"))));

    httplib::Server &server = m_server.server();
    server.Get("/client/version", [this](const httplib::Request &req, httplib::Response &res) {
        ++m_hits;
        std::lock_guard<std::mutex> lock(m_mutex);
        m_hasAuthorization = req.has_header("Authorization");
        m_authorization = req.get_header_value("Authorization");
        if (m_failStatus) {
            res.status = m_failStatus;
            return;
        }
        res.set_content(m_body, "application/json");
    });
    // The body in two pieces, the first ending inside a character; the second waits at the
    // gate until the test has seen the first arrive. Not sent as JSON: the server would
    // compress that, and hold the first piece back in its compressor.
    server.Get("/client/chunked", [this](const httplib::Request &, httplib::Response &res) {
        std::string body;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            body = m_body;
        }
        const size_t cut = body.find("\xe6\x96\xb0") + 1;
        res.set_chunked_content_provider("application/octet-stream",
                                         [this, body, cut](size_t offset, httplib::DataSink &sink) {
                                             if (offset == 0) {
                                                 sink.write(body.data(), cut);
                                                 return true;
                                             }
                                             m_server.waitAtGate();
                                             sink.write(body.data() + cut, body.size() - cut);
                                             sink.done();
                                             return true;
                                         });
    });
    server.Get("/client/held", [this](const httplib::Request &, httplib::Response &res) {
        m_heldArrived = true;
        m_server.hold();
        res.set_content(answer(kNewer, kLocal, "1").toStdString(), "application/json");
        m_heldDone = true;
    });
    QVERIFY(m_server.start());
}

void tst_UpdateClient::init()
{
    AuthCenter::instance()->clearToken();
    m_failStatus = 0;
    m_hits = 0;
    newLogRecords();
}

QStringList tst_UpdateClient::newLogRecords()
{
    lumo::DPrintLog::instance()->Flush();
    QFile file(m_logDir.filePath("update.log"));
    if (!file.open(QIODevice::ReadOnly) || !file.seek(m_logRead))
        return {};
    const QByteArray text = file.readAll();
    m_logRead += text.size();
    static const QRegularExpression record(
        QStringLiteral("^\\S+ \\S+ \\[([A-Z])\\] \\[\\d+\\] CUpdateClient\\.cpp:\\d+ "
                       "CUpdateClient::dealWithClientVersionResult (.*)$"));
    QStringList records;
    for (const QString &line : QString::fromUtf8(text).split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch m = record.match(line);
        if (m.hasMatch())
            records << m.captured(1) + QLatin1Char(':') + m.captured(2);
    }
    return records;
}

void tst_UpdateClient::versionNumber_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<qlonglong>("number");
    QTest::newRow("one digit") << "V1.000.0000001.3.R" << 103LL;
    QTest::newRow("two digits") << "V1.000.0000001.12.R" << 112LL;
    QTest::newRow("zero") << "V1.000.0000002.0.R" << 200LL;
    QTest::newRow("ten is not padded") << "V1.000.0000002.10.R" << 210LL;
    QTest::newRow("four parts") << "V1.000.0000001.3" << 0LL;
    QTest::newRow("six parts") << "V1.000.0000001.3.R.1" << 0LL;
    QTest::newRow("empty") << "" << 0LL;
    QTest::newRow("third not a number") << "V1.000.build.3.R" << 0LL;
    QTest::newRow("fourth not a number") << "V1.000.0000001.x.R" << 0LL;
}

void tst_UpdateClient::versionNumber()
{
    QFETCH(QString, version);
    QFETCH(qlonglong, number);
    QCOMPARE(CUpdateClient::versionNumber(version), number);
}

void tst_UpdateClient::answers_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("localVersion");
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("log");
    // Empty: the updater must not start.
    QTest::addColumn<QStringList>("updaterArgs");

    const QStringList opened {"I:start to open update appliaction", "I:open update application!"};
    const QStringList forcedOpen {"I:start to open update appliaction",
                                  "I:least version update to local, need to update",
                                  "I:open update application!"};

    QTest::newRow("newer") << answer(kNewer, kLocal, "52428800") << kLocal << "KorvelArden"
                           << opened
                           << QStringList {kPackage, "52428800",         "false", kLocal, kDesc,
                                           pid(),    "ZoCefRenderArden", ""};
    QTest::newRow("forced") << answer(kNewer, "V1.000.0000001.5.R", "52428800") << kLocal
                            << "KorvelBrisa" << forcedOpen
                            << QStringList {kPackage, "52428800",         "true", kLocal, kDesc,
                                            pid(),    "ZoCefRenderBrisa", ""};
    QTest::newRow("least version of four parts, Calen edition")
        << answer(kNewer, "V1.000.0000001.9", "1") << kLocal << "KorvelCalen" << opened
        << QStringList {kPackage, "1", "false", kLocal, kDesc, pid(), "ZoCefRenderCalen", ""};
    QTest::newRow("equal") << answer(kLocal, kLocal, "1") << kLocal << "KorvelArden"
                           << QStringList {"I:local version update to Host,don't need to update "}
                           << QStringList {};
    QTest::newRow("older") << answer("V1.000.0000001.2.R", kLocal, "1") << kLocal << "KorvelArden"
                           << QStringList {"I:local version update to Host,don't need to update "}
                           << QStringList {};
    QTest::newRow("another line") << answer("V2.000.0000009.0.R", kLocal, "1") << kLocal
                                  << "KorvelArden" << QStringList {} << QStringList {};
    // A local version of four parts reads as 0: every five-part version is newer and forced.
    QTest::newRow("four-part local version")
        << answer("V1.000.0000001.0.R", "V1.000.0000001.0.R", "7") << "V1.000.0000001.3"
        << "KorvelOther" << forcedOpen
        << QStringList {kPackage, "7", "true", "V1.000.0000001.3", kDesc, pid(), "", ""};
    QTest::newRow("filesize as a number")
        << answer(kNewer, kLocal, 52428800) << kLocal << "KorvelArden" << opened
        << QStringList {kPackage, "", "false", kLocal, kDesc, pid(), "ZoCefRenderArden", ""};
    QTest::newRow("cut at a zero byte")
        << answer(kNewer, kLocal, "1") + QByteArray("\0trailing", 9) << kLocal << "KorvelArden"
        << opened
        << QStringList {kPackage, "1", "false", kLocal, kDesc, pid(), "ZoCefRenderArden", ""};

    const QString noData = R"({"code":0,"msg":"success"})";
    QTest::newRow("missing data") << noData.toUtf8() << kLocal << "KorvelArden"
                                  << QStringList {"E:version info Json context error[" + noData
                                                  + "]"}
                                  << QStringList {};
    const QString noCode = R"({"data":{"version":"V1.000.0000001.12.R"}})";
    QTest::newRow("missing code") << noCode.toUtf8() << kLocal << "KorvelArden"
                                  << QStringList {"E:version info Json context error[" + noCode
                                                  + "]"}
                                  << QStringList {};
    QTest::newRow("not an object")
        << QByteArray("[1,2]") << kLocal << "KorvelArden"
        << QStringList {"E:version info Json format error[[1,2]]"} << QStringList {};
    QTest::newRow("not JSON") << QByteArray("<html>") << kLocal << "KorvelArden"
                              << QStringList {"E:version info Json error[illegal value]"}
                              << QStringList {};
    // The updater fetches whatever address it is given: only web addresses are handed on.
    QTest::newRow("empty url") << answer(kNewer, kLocal, "1", "") << kLocal << "KorvelArden"
                               << QStringList {"E:version info url error[]"} << QStringList {};
    QTest::newRow("url without host")
        << answer(kNewer, kLocal, "1", "http:///pkg.zip") << kLocal << "KorvelArden"
        << QStringList {"E:version info url error[http:///pkg.zip]"} << QStringList {};
    QTest::newRow("file url") << answer(kNewer, kLocal, "1", "file:///etc/passwd") << kLocal
                              << "KorvelArden"
                              << QStringList {"E:version info url error[file:///etc/passwd]"}
                              << QStringList {};
}

void tst_UpdateClient::answers()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, localVersion);
    QFETCH(QString, program);
    QFETCH(QStringList, log);
    QFETCH(QStringList, updaterArgs);

    ProgramFolder folder(localVersion, program, m_server.url("/client/version"));
    QVERIFY(folder.isValid());
    serve(body);

    ObservedUpdateClient client;
    client.queryVersion(QString()); // the configured address
    QTRY_COMPARE(client.finished, 1);
    QCOMPARE(newLogRecords(), log);

    if (updaterArgs.isEmpty()) {
        QVERIFY(!QFile::exists(folder.argsFile()));
        return;
    }
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(folder.argsFile()), 10000);
    int count = 0;
    QCOMPARE(folder.recordedArgs(&count), updaterArgs);
    QCOMPARE(count, 8);
}

// One client run opens the updater once per version pair; later calls ask the first address.
void tst_UpdateClient::repeatedAnswerIsHandledOnce()
{
    ProgramFolder folder(kLocal, "KorvelArden", QString());
    QVERIFY(folder.isValid());
    ObservedUpdateClient client;

    serve(answer(kNewer, kLocal, "1"));
    client.queryVersion(m_server.url("/client/version"));
    QTRY_COMPARE(client.finished, 1);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(folder.argsFile()), 10000);
    QVERIFY(QFile::remove(folder.argsFile()));
    newLogRecords();

    client.queryVersion(QStringLiteral("http://127.0.0.1:1/elsewhere"));
    QTRY_COMPARE(client.finished, 2);
    QCOMPARE(m_hits.load(), 2);
    QCOMPARE(newLogRecords(), QStringList());
    QVERIFY(!QFile::exists(folder.argsFile()));

    // Another least version is another pair and is handled again...
    serve(answer(kNewer, "V1.000.0000001.5.R", "1"));
    client.queryVersion(QString());
    QTRY_COMPARE(client.finished, 3);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(folder.argsFile()), 10000);
    int count = 0;
    QCOMPARE(folder.recordedArgs(&count).value(2), QStringLiteral("true"));
    QVERIFY(QFile::remove(folder.argsFile()));
    newLogRecords();

    // ...while the first pair stays the remembered one.
    serve(answer(kNewer, kLocal, "1"));
    client.queryVersion(QString());
    QTRY_COMPARE(client.finished, 4);
    QCOMPARE(newLogRecords(), QStringList());
    QVERIFY(!QFile::exists(folder.argsFile()));
}

void tst_UpdateClient::answerInChunksIsAssembled()
{
    ProgramFolder folder(kLocal, "KorvelArden", QString());
    QVERIFY(folder.isValid());
    serve(answer(kNewer, kLocal, "99"));
    m_server.closeGate();

    ObservedUpdateClient client;
    client.queryVersion(m_server.url("/client/chunked"));
    QTRY_VERIFY_WITH_TIMEOUT(client.chunks > 0, 10000);
    QCOMPARE(client.finished, 0);
    m_server.openGate();
    QTRY_COMPARE(client.finished, 1);
    QVERIFY(client.chunks >= 2);

    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(folder.argsFile()), 10000);
    int count = 0;
    QCOMPARE(folder.recordedArgs(&count),
             (QStringList {kPackage, "99", "false", kLocal, kDesc, pid(), "ZoCefRenderArden", ""}));
}

void tst_UpdateClient::tokenIsSentAsAuthorization()
{
    ProgramFolder folder(kLocal, "KorvelArden", m_server.url("/client/version"));
    QVERIFY(folder.isValid());
    serve(answer(kLocal, kLocal, "1"));

    {
        ObservedUpdateClient client;
        client.queryVersion(QString());
        QTRY_COMPARE(client.finished, 1);
        std::lock_guard<std::mutex> lock(m_mutex);
        QVERIFY(!m_hasAuthorization);
    }

    AuthCenter::instance()->saveToken(QStringLiteral("session-token-42"));
    ObservedUpdateClient client;
    client.queryVersion(QString());
    QTRY_COMPARE(client.finished, 1);
    std::lock_guard<std::mutex> lock(m_mutex);
    QVERIFY(m_hasAuthorization);
    QCOMPARE(QString::fromStdString(m_authorization), QStringLiteral("session-token-42"));
}

// A failure leaves no trace in the checker; the next query is the retry.
void tst_UpdateClient::failedRequestIsIgnored()
{
    ProgramFolder folder(kLocal, "KorvelArden", m_server.url("/client/version"));
    QVERIFY(folder.isValid());
    serve(answer(kNewer, kLocal, "1"));
    m_failStatus = 500;

    ObservedUpdateClient client;
    client.queryVersion(QString());
    QTRY_COMPARE(client.errors, 1);
    QCOMPARE(client.finished, 0);
    QCOMPARE(newLogRecords(), QStringList());
    QVERIFY(!QFile::exists(folder.argsFile()));

    m_failStatus = 0;
    client.queryVersion(QString());
    QTRY_COMPARE(client.finished, 1);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(folder.argsFile()), 10000);
}

void tst_UpdateClient::destroyedWhileRequestRuns()
{
    ProgramFolder folder(kLocal, "KorvelArden", QString());
    QVERIFY(folder.isValid());
    m_heldArrived = false;
    m_heldDone = false;

    auto client = std::make_unique<ObservedUpdateClient>();
    client->queryVersion(m_server.url("/client/held"));
    QTRY_VERIFY(m_heldArrived.load());
    client.reset();
    m_server.release();
    QTRY_VERIFY(m_heldDone.load());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    QCOMPARE(newLogRecords(), QStringList());
    QVERIFY(!QFile::exists(folder.argsFile()));
}

QTEST_GUILESS_MAIN(tst_UpdateClient)
#include "tst_updateclient.moc"
