#include "DemoServiceProcess.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkInterface>
#include <QNetworkReply>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QtTest>

namespace {

const QByteArray kProductKey = "Hq7TzpLm2wXc9RbN";
const QByteArray kProductSecret = "Jd4VsKe8YtQa1MuP";
const QByteArray kProjectKey = "Wn3GxCr6BvLo5ZyE";

struct Answer
{
    int status = 0;
    QNetworkReply::NetworkError error = QNetworkReply::NoError;
    QByteArray body;
    QByteArray contentLength;
    qint64 elapsedMs = 0;

    QJsonObject json() const { return QJsonDocument::fromJson(body).object(); }
};

QByteArray bytes(int size, char seed)
{
    QByteArray data(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        data[i] = char((i * 31 + seed) & 0xff);
    return data;
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

// The app store's timestamp as the client makes it: seconds times 1000, wrapped to 32 bits.
quint32 vesk32(qint64 seconds)
{
    return quint32(quint64(seconds)) * 1000u;
}

} // namespace

class tst_DemoService : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void versionAnswer();
    void bundledVersionAnswer();
    void appStoreSignature_data();
    void appStoreSignature();
    void appStoreList();
    void download_data();
    void download();
    void faults_data();
    void faults();
    void faultsFromCommandLine();
    void faultControlRefused();
    void session();
    void https();

private:
    Answer send(const QByteArray &verb, const QUrl &url, const QByteArray &body = QByteArray(),
                const QList<QPair<QByteArray, QByteArray>> &headers = {});
    Answer setFaults(const QByteArray &json);
    Answer appStore(const QByteArray &timestampHeader, const QJsonObject &body);
    QJsonObject signedBody(const QByteArray &signedTimestamp, const QString &menuKey) const;

    QNetworkAccessManager m_nam;
    QTemporaryDir m_dir;
    DemoServiceProcess m_service;
    QByteArray m_alboro = bytes(70000, 1);
    QByteArray m_setup = bytes(1234, 7);
};

void tst_DemoService::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const QString packages = m_dir.filePath(QStringLiteral("packages"));
    QVERIFY(writeFile(packages + QStringLiteral("/Alboro.zip"), m_alboro));
    QVERIFY(writeFile(packages + QStringLiteral("/Fostra.zip"), bytes(300, 2)));
    QVERIFY(writeFile(packages + QStringLiteral("/Loose.zip"), bytes(10, 3)));
    // Listed without a zip beside it: never offered.
    QVERIFY(writeFile(packages + QStringLiteral("/manifest.json"), R"({"packages": [
        {"name": "Alboro", "version": "1.0.2", "lowestVersion": "1.0.1", "forceUpdate": 1,
         "menuKeys": ["video"]},
        {"name": "Fostra", "version": "2.0", "menuKeys": ["videowall"]},
        {"name": "Corrin", "version": "1.0", "menuKeys": ["video"]}]})"));
    const QString data = m_dir.filePath(QStringLiteral("data"));
    QVERIFY(writeFile(data + QStringLiteral("/downloads/KorvelSetup.run"), m_setup));
    QVERIFY(writeFile(data + QStringLiteral("/version.json"), R"({
        "version": "V1.000.0000002.3.R", "leastVersion": "V1.000.0000001.5.R",
        "desc": "Faster start", "package": "KorvelSetup.run"})"));
    QVERIFY2(
        m_service.start({QStringLiteral("--data"), data, QStringLiteral("--packages"), packages}),
        m_service.errorOutput().constData());
}

void tst_DemoService::cleanup()
{
    QCOMPARE(send("DELETE", m_service.url(QStringLiteral("/control/faults"))).status, 200);
}

Answer tst_DemoService::send(const QByteArray &verb, const QUrl &url, const QByteArray &body,
                             const QList<QPair<QByteArray, QByteArray>> &headers)
{
    QNetworkRequest request(url);
    if (!body.isEmpty())
        request.setHeader(QNetworkRequest::ContentTypeHeader,
                          QByteArray("application/json;charset=utf-8"));
    for (const auto &header : headers)
        request.setRawHeader(header.first, header.second);
    QElapsedTimer timer;
    timer.start();
    QNetworkReply *reply = m_nam.sendCustomRequest(request, verb, body);
    QSignalSpy finished(reply, &QNetworkReply::finished);
    if (!reply->isFinished())
        finished.wait(15000);
    Answer answer;
    answer.elapsedMs = timer.elapsed();
    answer.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    answer.error = reply->error();
    answer.contentLength = reply->rawHeader("Content-Length");
    answer.body = reply->readAll();
    reply->deleteLater();
    return answer;
}

Answer tst_DemoService::setFaults(const QByteArray &json)
{
    return send("POST", m_service.url(QStringLiteral("/control/faults")), json);
}

QJsonObject tst_DemoService::signedBody(const QByteArray &signedTimestamp,
                                        const QString &menuKey) const
{
    const QByteArray sign
        = QCryptographicHash::hash(kProductKey + '&' + kProductSecret + '&' + signedTimestamp,
                                   QCryptographicHash::Md5)
              .toHex();
    const QByteArray deviceId
        = QCryptographicHash::hash("00:1A:2B:3C:4D:5E", QCryptographicHash::Md5).toHex();
    return QJsonObject {{"deviceId", QString::fromLatin1(deviceId)},
                        {"menuKey", menuKey},
                        {"platform", "PC"},
                        {"productKey", QString::fromLatin1(kProductKey)},
                        {"productSecret", QString::fromLatin1(kProductSecret)},
                        {"projectKey", QString::fromLatin1(kProjectKey)},
                        {"sign", QString::fromLatin1(sign)}};
}

Answer tst_DemoService::appStore(const QByteArray &timestampHeader, const QJsonObject &body)
{
    QList<QPair<QByteArray, QByteArray>> headers {{"Accept-Language", "zh-CN"}};
    if (!timestampHeader.isNull())
        headers.append({"x-vesk-timestamp", timestampHeader});
    return send("POST", m_service.url(QStringLiteral("/hot/product/getPcMobileApp")),
                QJsonDocument(body).toJson(QJsonDocument::Compact), headers);
}

// The values come from version.json; the package's address and size from the file itself.
void tst_DemoService::versionAnswer()
{
    const Answer answer = send("GET", m_service.url(QStringLiteral("/client/version")));
    QCOMPARE(answer.status, 200);
    const QJsonObject object = answer.json();
    QVERIFY(object.contains("code"));
    const QJsonObject data = object.value("data").toObject();
    QCOMPARE(data.value("version"), QJsonValue("V1.000.0000002.3.R"));
    QCOMPARE(data.value("leastVersion"), QJsonValue("V1.000.0000001.5.R"));
    QCOMPARE(data.value("desc"), QJsonValue("Faster start"));
    QCOMPARE(data.value("filesize"), QJsonValue(QString::number(m_setup.size())));
    const QString url = data.value("url").toString();
    QCOMPARE(url, m_service.url(QStringLiteral("/download/KorvelSetup.run")).toString());

    const Answer package = send("GET", QUrl(url));
    QCOMPARE(package.status, 200);
    QCOMPARE(package.body, m_setup);
}

// The data shipped with the demo offers no update and keeps every value a string.
void tst_DemoService::bundledVersionAnswer()
{
    DemoServiceProcess bundled;
    QVERIFY(bundled.start());
    const Answer answer = send("GET", bundled.url(QStringLiteral("/client/version")));
    QCOMPARE(answer.status, 200);
    QVERIFY(answer.json().contains("code"));
    const QJsonObject data = answer.json().value("data").toObject();
    for (const char *key : {"version", "filesize", "url", "leastVersion", "desc"})
        QVERIFY2(data.value(QLatin1String(key)).isString(), key);
    QVERIFY(data.value("version").toString().startsWith("V1.000."));
}

void tst_DemoService::appStoreSignature_data()
{
    QTest::addColumn<QByteArray>("header"); // "" = no header; "T" = now
    QTest::addColumn<QByteArray>("signedWith"); // timestamp the sign is made over
    QTest::addColumn<QJsonObject>("overrides"); // body keys replaced after signing
    QTest::addColumn<int>("status");

    const QString hour = QString::number(3600 * 1000);
    QTest::newRow("signed correctly") << QByteArray("T") << QByteArray("T") << QJsonObject() << 200;
    QTest::newRow("timestamp differs from the signed one")
        << QByteArray("T+1000") << QByteArray("T") << QJsonObject() << 403;
    QTest::newRow("no timestamp header") << QByteArray() << QByteArray("T") << QJsonObject() << 403;
    QTest::newRow("timestamp not a number")
        << QByteArray("12a4") << QByteArray("12a4") << QJsonObject() << 403;
    QTest::newRow("productKey differs") << QByteArray("T") << QByteArray("T")
                                        << QJsonObject {{"productKey", "Hq7TzpLm2wXc9RbX"}} << 403;
    QTest::newRow("productSecret differs")
        << QByteArray("T") << QByteArray("T") << QJsonObject {{"productSecret", "Jd4VsKe8YtQa1MuX"}}
        << 403;
    QTest::newRow("projectKey differs") << QByteArray("T") << QByteArray("T")
                                        << QJsonObject {{"projectKey", "Wn3GxCr6BvLo5ZyX"}} << 403;
    QTest::newRow("sign differs") << QByteArray("T") << QByteArray("T")
                                  << QJsonObject {{"sign", "0123456789abcdef0123456789abcdef"}}
                                  << 403;
    QTest::newRow("sign in upper case")
        << QByteArray("T") << QByteArray("T") << QJsonObject {{"sign", "UPPER"}} << 403;
    QTest::newRow("signed consistently an hour ago")
        << QByteArray("T-3600000") << QByteArray("T-3600000") << QJsonObject() << 403;
    QTest::newRow("signed consistently with the 64-bit millisecond count")
        << QByteArray("MS64") << QByteArray("MS64") << QJsonObject() << 403;
    QTest::newRow("device id not an MD5 digest")
        << QByteArray("T") << QByteArray("T") << QJsonObject {{"deviceId", "00:1A:2B:3C:4D:5E"}}
        << 400;
}

// A request counts only when the header, the credentials and the sign over them agree, and
// the timestamp is the client's wrapped 32-bit value of about now.
void tst_DemoService::appStoreSignature()
{
    QFETCH(QByteArray, header);
    QFETCH(QByteArray, signedWith);
    QFETCH(QJsonObject, overrides);
    QFETCH(int, status);

    const qint64 now = QDateTime::currentSecsSinceEpoch();
    auto resolve = [now](const QByteArray &token) -> QByteArray {
        if (token.isNull())
            return QByteArray();
        if (token == "MS64")
            return QByteArray::number(now * 1000);
        if (!token.startsWith('T'))
            return token;
        const qint64 delta = token.size() > 1 ? token.mid(1).toLongLong() : 0;
        return QByteArray::number(quint32(vesk32(now) + quint32(qint32(delta))));
    };
    QJsonObject body = signedBody(resolve(signedWith), QStringLiteral("video"));
    for (auto it = overrides.constBegin(); it != overrides.constEnd(); ++it) {
        QString value = it.value().toString();
        if (it.key() == QLatin1String("sign") && value == QLatin1String("UPPER"))
            value = body.value("sign").toString().toUpper();
        body.insert(it.key(), value);
    }

    const Answer answer = appStore(resolve(header), body);
    QCOMPARE(answer.status, status);
    if (status == 200) {
        QCOMPARE(
            answer.json().value("data").toObject().value("microApplicationList").toArray().size(),
            2);
    }
}

// The list for a key: the zips of the folder whose manifest entry names the key, plus zips
// without an entry; each downloads to its exact bytes.
void tst_DemoService::appStoreList()
{
    const QByteArray timestamp = QByteArray::number(vesk32(QDateTime::currentSecsSinceEpoch()));
    const Answer answer = appStore(timestamp, signedBody(timestamp, QStringLiteral("video")));
    QCOMPARE(answer.status, 200);
    const QJsonArray list
        = answer.json().value("data").toObject().value("microApplicationList").toArray();
    QCOMPARE(list.size(), 2);

    const QJsonObject alboro = list.at(0).toObject();
    QCOMPARE(alboro.value("name"), QJsonValue("Alboro"));
    QCOMPARE(alboro.value("version"), QJsonValue("1.0.2"));
    QCOMPARE(alboro.value("lowestVersion"), QJsonValue("1.0.1"));
    QCOMPARE(alboro.value("forceUpdate"), QJsonValue(1));
    const Answer zip = send("GET", QUrl(alboro.value("pcPackageFileName").toString()));
    QCOMPARE(zip.status, 200);
    QCOMPARE(zip.body, m_alboro);

    const QJsonObject loose = list.at(1).toObject();
    QCOMPARE(loose.value("name"), QJsonValue("Loose"));
    QCOMPARE(loose.value("version"), QJsonValue("1.0.0"));
    QVERIFY(loose.value("forceUpdate").isDouble());

    const Answer wall = appStore(timestamp, signedBody(timestamp, QStringLiteral("videowall")));
    const QJsonArray wallList
        = wall.json().value("data").toObject().value("microApplicationList").toArray();
    QCOMPARE(wallList.size(), 2);
    QCOMPARE(wallList.at(0).toObject().value("name"), QJsonValue("Fostra"));
    QCOMPARE(wallList.at(0).toObject().value("version"), QJsonValue("2.0"));
}

void tst_DemoService::download_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("content");

    QTest::newRow("plugin package") << "/download/Alboro.zip" << 200 << m_alboro;
    QTest::newRow("update package") << "/download/KorvelSetup.run" << 200 << m_setup;
    QTest::newRow("missing file") << "/download/Nothing.zip" << 404 << QByteArray();
    QTest::newRow("escape to the data folder")
        << "/download/..%2Fversion.json" << 400 << QByteArray();
    QTest::newRow("hidden file") << "/download/.hidden" << 400 << QByteArray();
}

void tst_DemoService::download()
{
    QFETCH(QString, path);
    QFETCH(int, status);
    QFETCH(QByteArray, content);

    const Answer answer = send("GET", m_service.url(path));
    QCOMPARE(answer.status, status);
    if (status == 200) {
        QCOMPARE(answer.body, content);
        QCOMPARE(answer.contentLength, QByteArray::number(content.size()));
    }
}

void tst_DemoService::faults_data()
{
    QTest::addColumn<QByteArray>("faults");
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("transferFails");
    QTest::addColumn<int>("contentLength");
    QTest::addColumn<int>("received");
    QTest::addColumn<int>("minElapsedMs");
    QTest::addColumn<int>("nextStatus"); // the same request once more

    const int size = m_alboro.size();
    QTest::newRow("connection dropped after 1000 bytes")
        << QByteArray(R"({"dropAfterBytes": 1000, "path": "/download/"})") << 200 << true << size
        << 1000 << 0 << 200;
    QTest::newRow("dropped before the body")
        << QByteArray(R"({"dropAfterBytes": 0})") << 200 << true << size << 0 << 0 << 200;
    QTest::newRow("Content-Length larger than the body")
        << QByteArray(R"({"contentLengthDelta": 50})") << 200 << true << size + 50 << size << 0
        << 200;
    QTest::newRow("Content-Length smaller than the body")
        << QByteArray(R"({"contentLengthDelta": -50})") << 200 << false << size - 50 << size - 50
        << 0 << 200;
    QTest::newRow("delay") << QByteArray(R"({"delayMs": 400})") << 200 << false << size << size
                           << 400 << 200;
    QTest::newRow("500") << QByteArray(R"({"status": 500})") << 500 << true << -1 << -1 << 0 << 500;
    QTest::newRow("401 once") << QByteArray(R"({"status": 401, "count": 1})") << 401 << true << -1
                              << -1 << 0 << 200;
    QTest::newRow("other path untouched") << QByteArray(R"({"status": 500, "path": "/session/"})")
                                          << 200 << false << size << size << 0 << 200;
}

// Each switch does what it says to the next requests; the control request itself and
// paths outside the switch's prefix are left alone.
void tst_DemoService::faults()
{
    QFETCH(QByteArray, faults);
    QFETCH(int, status);
    QFETCH(bool, transferFails);
    QFETCH(int, contentLength);
    QFETCH(int, received);
    QFETCH(int, minElapsedMs);
    QFETCH(int, nextStatus);

    QCOMPARE(setFaults(faults).status, 200);
    const QUrl url = m_service.url(QStringLiteral("/download/Alboro.zip"));
    const Answer answer = send("GET", url);
    QCOMPARE(answer.status, status);
    QCOMPARE(answer.error != QNetworkReply::NoError, transferFails);
    if (contentLength >= 0)
        QCOMPARE(answer.contentLength, QByteArray::number(contentLength));
    if (received >= 0) {
        QCOMPARE(answer.body.size(), received);
        QCOMPARE(answer.body, m_alboro.left(received));
    }
    QVERIFY2(answer.elapsedMs >= minElapsedMs, QByteArray::number(answer.elapsedMs).constData());
    QCOMPARE(send("GET", url).status, nextStatus);
}

// Switches given at start apply from the first request; the control request clears them.
void tst_DemoService::faultsFromCommandLine()
{
    DemoServiceProcess faulty;
    QVERIFY(faulty.start({QStringLiteral("--fault-status"), QStringLiteral("401"),
                          QStringLiteral("--fault-path"), QStringLiteral("/client/")}));
    const QUrl version = faulty.url(QStringLiteral("/client/version"));
    QCOMPARE(send("GET", version).status, 401);
    QCOMPARE(send("GET", version).status, 401);
    QCOMPARE(send("GET", faulty.url(QStringLiteral("/img/logo.png"))).status, 200);
    QCOMPARE(send("DELETE", faulty.url(QStringLiteral("/control/faults"))).status, 200);
    QCOMPARE(send("GET", version).status, 200);
}

void tst_DemoService::faultControlRefused()
{
    // Malformed switches are refused and leave the current ones in force.
    QCOMPARE(setFaults(R"({"status": 500, "path": "/client/"})").status, 200);
    QCOMPARE(setFaults(R"({"dropAfterBytes": "ten"})").status, 400);
    QCOMPARE(setFaults("not json").status, 400);
    QCOMPARE(send("GET", m_service.url(QStringLiteral("/client/version"))).status, 500);
    QCOMPARE(send("DELETE", m_service.url(QStringLiteral("/control/faults"))).status, 200);

    // Only from loopback: reach a service listening on every address through another one.
    QHostAddress external;
    for (const QHostAddress &address : QNetworkInterface::allAddresses()) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback()) {
            external = address;
            break;
        }
    }
    if (external.isNull())
        QSKIP("this machine has no address besides loopback");
    DemoServiceProcess open;
    QVERIFY(open.start({QStringLiteral("--host"), QStringLiteral("0.0.0.0")}));
    QUrl control = open.url(QStringLiteral("/control/faults"));
    control.setHost(external.toString());
    QCOMPARE(send("POST", control, R"({"status": 500})").status, 403);
    QUrl version = open.url(QStringLiteral("/client/version"));
    version.setHost(external.toString());
    QCOMPARE(send("GET", version).status, 200);
}

// The session endpoints open with the token the login gave, in either header form, and
// close again at logout.
void tst_DemoService::session()
{
    const QUrl check = m_service.url(QStringLiteral("/session/check"));
    const QUrl login = m_service.url(QStringLiteral("/session/login"));
    QCOMPARE(send("GET", check).status, 401);
    QCOMPARE(send("GET", check, {}, {{"Authorization", "0123456789abcdef"}}).status, 401);
    QCOMPARE(send("POST", login, R"({"userName": "alice", "password": "wrong"})").status, 401);
    QCOMPARE(send("POST", login, R"({"userName": "", "password": "demo"})").status, 401);

    const Answer answer = send("POST", login, R"({"userName": "alice", "password": "demo"})");
    QCOMPARE(answer.status, 200);
    const QJsonObject user = answer.json().value("data").toObject();
    QCOMPARE(user.value("userName"), QJsonValue("alice"));
    for (const char *key : {"name", "userType", "userPhoto", "phone", "token", "qrToken", "salt",
                            "logoName", "logoImagePath"})
        QVERIFY2(user.value(QLatin1String(key)).isString(), key);
    for (const char *key : {"accountType", "companyId", "id"})
        QVERIFY2(user.value(QLatin1String(key)).isDouble(), key);
    const QJsonObject env = user.value("envInfo").toObject();
    QCOMPARE(env.value("iotOpen").toObject().value("port"),
             QJsonValue(QString::number(m_service.baseUrl().port())));
    QCOMPARE(env.value("hvWeb"), QJsonValue(m_service.url(QStringLiteral("/")).toString()));
    QCOMPARE(send("GET", QUrl(user.value("userPhoto").toString())).status, 200);
    QCOMPARE(send("GET", QUrl(user.value("logoImagePath").toString())).status, 200);

    const QByteArray token = user.value("token").toString().toLatin1();
    const QByteArray qrToken = user.value("qrToken").toString().toLatin1();
    const Answer checked = send("GET", check, {}, {{"Authorization", token}});
    QCOMPARE(checked.status, 200);
    QCOMPARE(checked.json().value("data").toObject().value("userName"), QJsonValue("alice"));
    QCOMPARE(send("GET", check, {}, {{"Authorization", "Bearer " + token}}).status, 200);

    const QUrl playTokens = m_service.url(QStringLiteral("/session/playTokens"));
    const QUrl p2p = m_service.url(QStringLiteral("/session/p2pConfig"));
    QCOMPARE(send("POST", playTokens, "{}").status, 401);
    QCOMPARE(send("GET", p2p).status, 401);
    const Answer tokens
        = send("POST", playTokens, R"({"deviceIds": ["D1", "D2"]})", {{"Authorization", token}});
    QCOMPARE(tokens.status, 200);
    const QJsonArray list = tokens.json().value("data").toObject().value("tokens").toArray();
    QCOMPARE(list.size(), 2);
    QCOMPARE(list.at(1).toObject().value("deviceId"), QJsonValue("D2"));
    QVERIFY(!list.at(1).toObject().value("token").toString().isEmpty());
    const Answer config = send("GET", p2p, {}, {{"Authorization", qrToken}});
    QCOMPARE(config.status, 200);
    QVERIFY(config.json().value("data").toObject().value("p2pServer").isObject());

    QCOMPARE(send("POST", m_service.url(QStringLiteral("/session/logout")), "{}",
                  {{"Authorization", token}})
                 .status,
             200);
    QCOMPARE(send("GET", check, {}, {{"Authorization", token}}).status, 401);
    QCOMPARE(send("GET", p2p, {}, {{"Authorization", qrToken}}).status, 401);
}

// With a certificate the service speaks HTTPS; a client that trusts the certificate gets the
// same answers.
void tst_DemoService::https()
{
    DemoServiceProcess secure;
    QVERIFY2(
        secure.start({QStringLiteral("--tls-cert"), QStringLiteral(FIXTURE_DIR "/localhost.crt"),
                      QStringLiteral("--tls-key"), QStringLiteral(FIXTURE_DIR "/localhost.key")}),
        secure.errorOutput().constData());
    QCOMPARE(secure.baseUrl().scheme(), QStringLiteral("https"));

    QNetworkRequest request(secure.url(QStringLiteral("/client/version")));
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setCaCertificates(QSslCertificate::fromPath(QStringLiteral(FIXTURE_DIR "/localhost.crt")));
    request.setSslConfiguration(tls);
    QNetworkReply *reply = m_nam.get(request);
    QSignalSpy finished(reply, &QNetworkReply::finished);
    QVERIFY(finished.wait(15000));
    QCOMPARE(reply->error(), QNetworkReply::NoError);
    QCOMPARE(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), 200);
    QVERIFY(QJsonDocument::fromJson(reply->readAll()).object().contains("data"));
    reply->deleteLater();
}

QTEST_GUILESS_MAIN(tst_DemoService)
#include "tst_demoservice.moc"
