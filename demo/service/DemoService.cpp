#include "DemoService.h"

#include "VeskSignature.h"
#include "lumo/DPrintLog.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <QUrl>

#include <httplib.h>

#include <chrono>
#include <thread>

namespace Demo {

namespace {

const char *const kJsonType = "application/json;charset=utf-8";

// The faults of the request that this worker thread is answering: chosen before routing,
// applied to the body after it. httplib runs both steps of one request on one thread.
thread_local FaultSwitches::Set t_faults;

void sendJson(httplib::Response &response, int status, const QJsonObject &object)
{
    response.status = status;
    response.set_content(QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString(),
                         kJsonType);
}

QJsonObject failure(int code, const QString &message)
{
    return QJsonObject {{QStringLiteral("code"), code}, {QStringLiteral("msg"), message}};
}

QJsonObject success(const QJsonValue &data)
{
    return QJsonObject {{QStringLiteral("code"), 0},
                        {QStringLiteral("msg"), QStringLiteral("success")},
                        {QStringLiteral("data"), data}};
}

QJsonObject bodyObject(const httplib::Request &request)
{
    return QJsonDocument::fromJson(QByteArray::fromStdString(request.body)).object();
}

bool isLoopback(const std::string &address)
{
    return address.rfind("127.", 0) == 0 || address == "::1"
        || address.rfind("::ffff:127.", 0) == 0;
}

// Plain file names only: the download folder is the whole of what /download/ serves.
bool isPlainFileName(const QString &name)
{
    return !name.isEmpty() && !name.startsWith(QLatin1Char('.')) && !name.contains(QLatin1Char('/'))
        && !name.contains(QLatin1Char('\\')) && !name.contains(QLatin1Char(':'))
        && !name.contains(QChar(0));
}

// Replaces the body by a provider that announces size + delta bytes and closes the
// connection once it has sent dropAfterBytes or runs out of body.
void applyBodyFaults(const FaultSwitches::Set &faults, httplib::Response &response)
{
    if (faults.dropAfterBytes < 0 && faults.contentLengthDelta == 0)
        return;
    auto body = std::make_shared<std::string>(std::move(response.body));
    response.body.clear();
    const qint64 size = qint64(body->size());
    const qint64 announced = qMax<qint64>(0, size + faults.contentLengthDelta);
    qint64 limit = qMin(announced, size);
    if (faults.dropAfterBytes >= 0)
        limit = qMin(limit, faults.dropAfterBytes);

    std::string type = response.get_header_value("Content-Type");
    if (type.empty())
        type = "application/octet-stream";
    response.headers.erase("Content-Type");
    response.headers.erase("Content-Length");
    if (announced == 0) {
        response.set_header("Content-Type", type);
        response.set_header("Content-Length", "0");
        return;
    }
    response.set_header("Content-Length", std::to_string(announced));
    response.set_content_provider(
        size_t(announced), type,
        [body, limit](size_t offset, size_t length, httplib::DataSink &sink) {
            if (qint64(offset) >= limit)
                return false; // cancels the response: the connection is closed
            const size_t n = qMin<size_t>(length, size_t(limit) - offset);
            sink.write(body->data() + offset, n);
            return true;
        });
}

} // namespace

DemoService::DemoService(const Options &options)
    : m_options(options)
    , m_tls(!options.tlsCertificate.isEmpty() && !options.tlsKey.isEmpty())
    , m_packages(options.packageFolder)
    , m_version(options.dataFolder,
                {options.packageFolder,
                 options.dataFolder.isEmpty()
                     ? QString()
                     : QDir(options.dataFolder).filePath(QStringLiteral("downloads"))})
{
    if (m_tls) {
        m_server = std::make_unique<httplib::SSLServer>(
            QFile::encodeName(options.tlsCertificate).constData(),
            QFile::encodeName(options.tlsKey).constData());
    } else {
        m_server = std::make_unique<httplib::Server>();
    }
    m_faults.set(options.faults);
    registerRoutes();
}

DemoService::~DemoService() = default;

bool DemoService::isValid() const
{
    if (!m_server->is_valid()) {
        LUMO_LOG(6, "cannot load the TLS certificate %s or key %s",
                 qPrintable(m_options.tlsCertificate), qPrintable(m_options.tlsKey));
        return false;
    }
    if (!QFileInfo(m_options.webFolder).isDir()) {
        LUMO_LOG(6, "web folder %s does not exist", qPrintable(m_options.webFolder));
        return false;
    }
    return true;
}

int DemoService::bind(const QString &host, int port)
{
    const std::string address = host.toStdString();
    if (port == 0) {
        m_port = m_server->bind_to_any_port(address);
    } else {
        m_port = m_server->bind_to_port(address, port) ? port : -1;
    }
    if (m_port < 0)
        LUMO_LOG(6, "cannot listen on %s port %d", qPrintable(host), port);
    m_host = host;
    return m_port;
}

QString DemoService::baseUrl() const
{
    const QString host
        = m_host.contains(QLatin1Char(':')) ? QLatin1Char('[') + m_host + QLatin1Char(']') : m_host;
    return (m_tls ? QStringLiteral("https://") : QStringLiteral("http://")) + host
        + QLatin1Char(':') + QString::number(m_port);
}

bool DemoService::run()
{
    return m_server->listen_after_bind();
}

void DemoService::stop()
{
    m_server->stop();
}

void DemoService::registerRoutes()
{
    httplib::Server &server = *m_server;
    // Headers and body go out in separate writes; without this, Nagle's algorithm and the
    // peer's delayed acknowledgement hold the body back for tens of milliseconds.
    server.set_tcp_nodelay(true);

    // No caching: pages edited in the source tree show at the next load.
    httplib::Headers noCache {{"Cache-Control", "no-store"}};
    server.set_mount_point("/", m_options.webFolder.toStdString(), noCache);

    server.set_pre_routing_handler(
        [this](const httplib::Request &request, httplib::Response &response) {
            t_faults = m_faults.take(request.path);
            if (!t_faults.isActive())
                return httplib::Server::HandlerResponse::Unhandled;
            if (t_faults.delayMs > 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(t_faults.delayMs));
            if (t_faults.status != 0) {
                sendJson(response, t_faults.status,
                         failure(t_faults.status, QStringLiteral("fault switch")));
                return httplib::Server::HandlerResponse::Handled;
            }
            return httplib::Server::HandlerResponse::Unhandled;
        });
    server.set_post_routing_handler([](const httplib::Request &, httplib::Response &response) {
        const FaultSwitches::Set faults = t_faults;
        t_faults = FaultSwitches::Set();
        if (faults.isActive())
            applyBodyFaults(faults, response);
    });
    server.set_logger([](const httplib::Request &request, const httplib::Response &response) {
        LUMO_LOG(4, "%s %s from %s -> %d", request.method.c_str(), request.path.c_str(),
                 request.remote_addr.c_str(), response.status);
    });

    auto route
        = [this](void (DemoService::*member)(const httplib::Request &, httplib::Response &)) {
              return [this, member](const httplib::Request &request, httplib::Response &response) {
                  (this->*member)(request, response);
              };
          };
    server.Get("/client/version", route(&DemoService::onVersion));
    server.Post("/hot/product/getPcMobileApp", route(&DemoService::onAppStore));
    server.Get("/download/(.+)", route(&DemoService::onDownload));
    server.Post("/session/login", route(&DemoService::onLogin));
    server.Post("/session/logout", route(&DemoService::onLogout));
    server.Get("/session/check", route(&DemoService::onCheck));
    server.Post("/session/playTokens", route(&DemoService::onPlayTokens));
    server.Get("/session/p2pConfig", route(&DemoService::onP2pConfig));
    server.Get("/control/faults", route(&DemoService::onFaults));
    server.Post("/control/faults", route(&DemoService::onFaults));
    server.Delete("/control/faults", route(&DemoService::onFaults));
}

QString DemoService::baseUrlOf(const httplib::Request &request) const
{
    const std::string host = request.get_header_value("Host");
    if (host.empty())
        return baseUrl();
    return (m_tls ? QStringLiteral("https://") : QStringLiteral("http://"))
        + QString::fromStdString(host);
}

QString DemoService::requireSession(const httplib::Request &request,
                                    httplib::Response &response) const
{
    const QString token
        = SessionStore::tokenOf(QString::fromStdString(request.get_header_value("Authorization")));
    const QString user = m_sessions.userOf(token);
    if (user.isEmpty())
        sendJson(response, 401, failure(401, QStringLiteral("token missing or expired")));
    return user;
}

void DemoService::onVersion(const httplib::Request &request, httplib::Response &response)
{
    sendJson(response, 200, m_version.answer(baseUrlOf(request)));
}

void DemoService::onAppStore(const httplib::Request &request, httplib::Response &response)
{
    VeskSignature::Request vesk;
    QString reason;
    const auto now = VeskSignature::timestampAt(QDateTime::currentSecsSinceEpoch());
    const VeskSignature::Verdict verdict = VeskSignature::check(
        QByteArray::fromStdString(request.body),
        QByteArray::fromStdString(request.get_header_value("x-vesk-timestamp")), now,
        m_options.veskWindowMs, &vesk, &reason);
    if (verdict != VeskSignature::Verdict::Accepted) {
        const int status = verdict == VeskSignature::Verdict::Refused ? 403 : 400;
        LUMO_LOG(6, "app-store request refused (%d): %s", status, qPrintable(reason));
        sendJson(response, status, failure(status, reason));
        return;
    }
    const QJsonArray list = m_packages.list(vesk.menuKey, baseUrlOf(request));
    sendJson(response, 200,
             success(QJsonObject {{QStringLiteral("menuKey"), vesk.menuKey},
                                  {QStringLiteral("microApplicationList"), list}}));
}

void DemoService::onDownload(const httplib::Request &request, httplib::Response &response)
{
    const QString name = QString::fromStdString(request.matches[1]);
    if (!isPlainFileName(name)) {
        sendJson(response, 400, failure(400, QStringLiteral("not a plain file name")));
        return;
    }
    QStringList folders {m_options.packageFolder};
    if (!m_options.dataFolder.isEmpty())
        folders << QDir(m_options.dataFolder).filePath(QStringLiteral("downloads"));
    for (const QString &folder : qAsConst(folders)) {
        if (folder.isEmpty())
            continue;
        QFile file(QDir(folder).filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray content = file.readAll();
        const char *type = name.endsWith(QLatin1String(".zip"), Qt::CaseInsensitive)
            ? "application/zip"
            : "application/octet-stream";
        response.status = 200;
        response.set_content(content.constData(), size_t(content.size()), type);
        return;
    }
    sendJson(response, 404, failure(404, QStringLiteral("no such file")));
}

void DemoService::onLogin(const httplib::Request &request, httplib::Response &response)
{
    const QJsonObject body = bodyObject(request);
    QJsonObject user = m_sessions.login(body.value(QLatin1String("userName")).toString(),
                                        body.value(QLatin1String("password")).toString());
    if (user.isEmpty()) {
        sendJson(response, 401, failure(401, QStringLiteral("wrong user name or password")));
        return;
    }
    const QString base = baseUrlOf(request);
    const QUrl url(base);
    const QString scheme = url.scheme();
    const QString host = url.host();
    const QString port = QString::number(url.port(m_tls ? 443 : 80));
    const QJsonObject endpoint {{QStringLiteral("scheme"), scheme},
                                {QStringLiteral("host"), host},
                                {QStringLiteral("port"), port}};
    const QJsonObject envInfo {{QStringLiteral("iotOpen"), endpoint},
                               {QStringLiteral("qrOpen"), endpoint},
                               {QStringLiteral("sipServer"),
                                QJsonObject {{QStringLiteral("host"), host},
                                             {QStringLiteral("port"), QStringLiteral("5060")}}},
                               {QStringLiteral("hvHeartbeatServer"), endpoint},
                               {QStringLiteral("hvServer"), endpoint},
                               {QStringLiteral("hvWeb"), QString(base + QLatin1Char('/'))}};
    user.insert(QStringLiteral("userPhoto"), QString(base + QStringLiteral("/img/user.png")));
    user.insert(QStringLiteral("logoName"), QStringLiteral("Korvel Demo"));
    user.insert(QStringLiteral("logoImagePath"), QString(base + QStringLiteral("/img/logo.png")));
    user.insert(QStringLiteral("envInfo"), envInfo);
    sendJson(response, 200, success(user));
}

void DemoService::onLogout(const httplib::Request &request, httplib::Response &response)
{
    const QString token
        = SessionStore::tokenOf(QString::fromStdString(request.get_header_value("Authorization")));
    if (!m_sessions.logout(token)) {
        sendJson(response, 401, failure(401, QStringLiteral("token missing or expired")));
        return;
    }
    sendJson(response, 200, success(QJsonObject()));
}

void DemoService::onCheck(const httplib::Request &request, httplib::Response &response)
{
    const QString user = requireSession(request, response);
    if (user.isEmpty())
        return;
    sendJson(response, 200, success(QJsonObject {{QStringLiteral("userName"), user}}));
}

void DemoService::onPlayTokens(const httplib::Request &request, httplib::Response &response)
{
    if (requireSession(request, response).isEmpty())
        return;
    QJsonArray deviceIds = bodyObject(request).value(QLatin1String("deviceIds")).toArray();
    if (deviceIds.isEmpty())
        deviceIds = QJsonArray {QStringLiteral("DEMO-NVR-0001"), QStringLiteral("DEMO-IPC-0002"),
                                QStringLiteral("DEMO-IPC-0003")};
    const qint64 expires = QDateTime::currentSecsSinceEpoch() + 86400;
    QJsonArray tokens;
    for (const QJsonValue &id : qAsConst(deviceIds)) {
        if (!id.isString())
            continue;
        tokens.append(QJsonObject {{QStringLiteral("deviceId"), id.toString()},
                                   {QStringLiteral("token"),
                                    QString::number(QRandomGenerator::global()->generate64(), 16)},
                                   {QStringLiteral("expireTime"), double(expires)}});
    }
    sendJson(response, 200, success(QJsonObject {{QStringLiteral("tokens"), tokens}}));
}

void DemoService::onP2pConfig(const httplib::Request &request, httplib::Response &response)
{
    if (requireSession(request, response).isEmpty())
        return;
    const QUrl url(baseUrlOf(request));
    const QJsonObject server {{QStringLiteral("host"), url.host()},
                              {QStringLiteral("port"), QString::number(url.port(m_tls ? 443 : 80))},
                              {QStringLiteral("scheme"), url.scheme()}};
    sendJson(response, 200,
             success(QJsonObject {{QStringLiteral("p2pServer"), server},
                                  {QStringLiteral("relayServer"), server},
                                  {QStringLiteral("expireTime"),
                                   double(QDateTime::currentSecsSinceEpoch() + 86400)}}));
}

void DemoService::onFaults(const httplib::Request &request, httplib::Response &response)
{
    if (!isLoopback(request.remote_addr)) {
        sendJson(response, 403,
                 failure(403, QStringLiteral("control requests only from loopback")));
        return;
    }
    if (request.method == "POST") {
        const QJsonDocument document
            = QJsonDocument::fromJson(QByteArray::fromStdString(request.body));
        FaultSwitches::Set faults;
        QString error;
        if (!document.isObject()) {
            sendJson(response, 400, failure(400, QStringLiteral("body is not a JSON object")));
            return;
        }
        if (!FaultSwitches::fromJson(document.object(), &faults, &error)) {
            sendJson(response, 400, failure(400, error));
            return;
        }
        m_faults.set(faults);
    } else if (request.method == "DELETE") {
        m_faults.set(FaultSwitches::Set());
    }
    sendJson(response, 200, success(FaultSwitches::toJson(m_faults.current())));
}

} // namespace Demo
