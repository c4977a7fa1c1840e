#include "Network.h"

#include "CLocalConfig.h"
#include "NetworkHelper.h"
#include "NetworkListener.h"

#include "lumo/DPrintLog.h"

#include <QDateTime>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslError>
#include <QThread>
#include <QThreadStorage>

#include <mutex>

namespace Common {

namespace {

// The extra CA of "[Tls] CaFile", read again only when the file changes. The generation
// counts the changes, so that each thread's manager drops connections made under the old
// trust.
struct ExtraCa
{
    QList<QSslCertificate> certificates;
    quint64 generation = 0;
};

ExtraCa extraCaCertificates()
{
    static std::mutex mutex;
    static QString cachedPath;
    static QDateTime cachedTime;
    static ExtraCa cached;

    const QString path = ConfigInfo::CLocalConfig::instance()->getTlsCaFile();
    const QDateTime time = path.isEmpty() ? QDateTime() : QFileInfo(path).lastModified();
    std::lock_guard<std::mutex> lock(mutex);
    if (path == cachedPath && time == cachedTime)
        return cached;
    cached.certificates
        = path.isEmpty() ? QList<QSslCertificate>() : QSslCertificate::fromPath(path, QSsl::Pem);
    if (!path.isEmpty() && cached.certificates.isEmpty())
        LUMO_LOG(6, "no certificate in the configured CA file [%s]", qUtf8Printable(path));
    ++cached.generation;
    cachedPath = path;
    cachedTime = time;
    return cached;
}

// One manager per thread: a manager and its replies must stay on one thread. The storage
// deletes a thread's manager when the thread ends.
struct ThreadManager
{
    QNetworkAccessManager manager;
    quint64 caGeneration = 0;
};

QNetworkAccessManager *threadManager(quint64 caGeneration)
{
    static QThreadStorage<ThreadManager *> managers;
    if (!managers.hasLocalData())
        managers.setLocalData(new ThreadManager);
    ThreadManager *local = managers.localData();
    // A kept-alive connection holds the trust it was made with.
    if (local->caGeneration != caGeneration) {
        local->manager.clearConnectionCache();
        local->caGeneration = caGeneration;
    }
    return &local->manager;
}

int httpStatus(QNetworkReply *reply)
{
    return reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
}

} // namespace

Network::Network(const QString &name, QObject *parent)
    : QObject(parent)
    , m_strName(name)
{
    qRegisterMetaType<Common::NetworkError>("Common::NetworkError");
}

Network::~Network()
{
    cancleRequest();
}

void Network::checkThread(const char *where) const
{
    if (thread() != QThread::currentThread())
        LUMO_LOG(6, "[%s] %s called from a foreign thread", qUtf8Printable(m_strName), where);
    Q_ASSERT(thread() == QThread::currentThread());
}

void Network::registerObject(NetworkListener *listener)
{
    m_pListener = listener;
}

void Network::deregisterObject(NetworkListener *listener)
{
    if (m_pListener == listener)
        m_pListener = nullptr;
}

void Network::setTimeoutTime(int msec)
{
    m_iTimeoutMs = qMax(0, msec);
}

void Network::setAuthorization(const QString &authorization)
{
    m_strAuthorization = authorization;
}

void Network::setRequestUrl(const QString &url)
{
    m_strUrl = url;
}

QNetworkRequest Network::buildRequest(const QMap<QString, QString> &headers,
                                      quint64 *caGeneration) const
{
    QNetworkRequest request {QUrl(m_strUrl)};
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setTransferTimeout(m_iTimeoutMs);
    if (!m_strAuthorization.isEmpty())
        request.setRawHeader("Authorization", m_strAuthorization.toUtf8());
    for (auto it = headers.constBegin(); it != headers.constEnd(); ++it)
        request.setRawHeader(it.key().toLatin1(), it.value().toUtf8());
    const ExtraCa extra = extraCaCertificates();
    *caGeneration = extra.generation;
    if (request.url().scheme() == QLatin1String("https") && !extra.certificates.isEmpty()) {
        QSslConfiguration ssl = QSslConfiguration::defaultConfiguration();
        ssl.addCaCertificates(extra.certificates);
        request.setSslConfiguration(ssl);
    }
    return request;
}

void Network::getRequest(const QMap<QString, QString> &headers)
{
    checkThread("getRequest");
    cancleRequest();
    quint64 caGeneration = 0;
    const QNetworkRequest request = buildRequest(headers, &caGeneration);
    start(threadManager(caGeneration)->get(request));
}

void Network::postRequest(const QByteArray &body, const QMap<QString, QString> &headers)
{
    checkThread("postRequest");
    cancleRequest();
    quint64 caGeneration = 0;
    QNetworkRequest request = buildRequest(headers, &caGeneration);
    if (!request.hasRawHeader("Content-Type"))
        request.setRawHeader("Content-Type", "application/json;charset=utf-8");
    start(threadManager(caGeneration)->post(request, body));
}

void Network::start(QNetworkReply *reply)
{
    m_pReply = reply;
    // The reply travels with the lambdas, so a signal of a superseded reply still queued
    // somewhere is recognised and dropped.
    connect(reply, &QNetworkReply::readyRead, this, [this, reply] { onReadyRead(reply); });
    connect(reply, &QNetworkReply::finished, this, [this, reply] { onFinished(reply); });
    // Only logged: the handshake fails and the failure is reported like any other.
    connect(reply, &QNetworkReply::sslErrors, this, [this](const QList<QSslError> &errors) {
        for (const QSslError &e : errors)
            LUMO_LOG(6, "request [%s] TLS: %s", qUtf8Printable(m_strName),
                     qUtf8Printable(e.errorString()));
    });
}

void Network::cancleRequest()
{
    QNetworkReply *reply = m_pReply.data();
    m_pReply.clear();
    if (!reply)
        return;
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();
}

void Network::onReadyRead(QNetworkReply *reply)
{
    if (reply != m_pReply)
        return;
    // An error answer's body is not data; it stays in the reply for the error text.
    if (httpStatus(reply) >= 400)
        return;
    const QByteArray chunk = reply->readAll();
    if (!chunk.isEmpty() && m_pListener)
        m_pListener->onNetworkData(chunk, m_strName);
}

void Network::onFinished(QNetworkReply *reply)
{
    if (reply != m_pReply)
        return;
    // Detach first: the listener may start the next request from inside its callback.
    m_pReply.clear();
    reply->deleteLater();
    QPointer<Network> self(this);

    if (reply->error() != QNetworkReply::NoError) {
        reportError(reply);
        return;
    }
    const QByteArray rest = reply->readAll();
    if (!rest.isEmpty() && m_pListener)
        m_pListener->onNetworkData(rest, m_strName);
    if (self && m_pListener)
        m_pListener->onNetworkFinished(m_strName);
}

void Network::reportError(QNetworkReply *reply)
{
    NetworkError error;
    error.iErrorCode = reply->error();
    error.iHttpStatusCode = httpStatus(reply);
    QString text = reply->errorString();
    // This object aborts only through cancleRequest, which disconnects first; a cancellation
    // that still arrives is the manager's transfer time-out.
    if (error.iErrorCode == QNetworkReply::OperationCanceledError) {
        error.iErrorCode = QNetworkReply::TimeoutError;
        text = QStringLiteral("no progress within %1 ms").arg(m_iTimeoutMs);
    }
    LUMO_LOG(6, "request [%s] %s failed: code %d, HTTP status %d, %s", qUtf8Printable(m_strName),
             qUtf8Printable(reply->url().toString()), int(error.iErrorCode),
             int(error.iHttpStatusCode), qUtf8Printable(text));
    // The name is copied: the global listener hears of the failure even when the listener
    // deleted this object meanwhile.
    const QString name = m_strName;
    if (m_pListener)
        m_pListener->onNetworkError(error, text, name);
    NetworkHelper::instance()->reportError(error, text, name);
}

} // namespace Common
