#include "P2pServiceFetcher.h"

#include "Network.h"
#include "QRCommon.h"

#include "lumo/DPrintLog.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {

P2pServerAddress readServer(const QJsonObject &o)
{
    P2pServerAddress address;
    address.strScheme = o.value(QStringLiteral("scheme")).toString();
    address.strHost = o.value(QStringLiteral("host")).toString();
    // Ports come as decimal texts; a number is taken too.
    const QJsonValue port = o.value(QStringLiteral("port"));
    address.nPort = port.isString() ? port.toString().toInt() : port.toInt();
    return address;
}

} // namespace

P2pServiceFetcher::P2pServiceFetcher() = default;

P2pServiceFetcher::~P2pServiceFetcher()
{
    if (m_pNetwork)
        m_pNetwork->deregisterObject(this);
}

void P2pServiceFetcher::fetch(quint64 generation, const QString &url, const QString &token)
{
    if (!m_pNetwork) {
        m_pNetwork = new Common::Network(QLatin1String(QRCommon::RequestName), this);
        m_pNetwork->registerObject(this);
        m_pNetwork->setTimeoutTime(10000);
    }
    m_generation = generation;
    m_answer.clear();
    m_pNetwork->setAuthorization(token);
    m_pNetwork->setRequestUrl(url);
    m_pNetwork->getRequest();
}

bool P2pServiceFetcher::parseAnswer(const QByteArray &answer, P2pServiceConfig *config)
{
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(answer, &parseError);
    const QJsonObject data = doc.object().value(QStringLiteral("data")).toObject();
    const QJsonObject p2p = data.value(QStringLiteral("p2pServer")).toObject();
    if (parseError.error != QJsonParseError::NoError || !doc.isObject() || p2p.isEmpty())
        return false;
    config->p2pServer = readServer(p2p);
    config->relayServer = readServer(data.value(QStringLiteral("relayServer")).toObject());
    config->iExpireTime = qint64(data.value(QStringLiteral("expireTime")).toDouble());
    config->bValid = !config->p2pServer.strHost.isEmpty();
    return config->bValid;
}

void P2pServiceFetcher::onNetworkData(const QByteArray &chunk, const QString &)
{
    m_answer += chunk;
}

void P2pServiceFetcher::onNetworkFinished(const QString &)
{
    P2pServiceConfig config;
    const bool ok = parseAnswer(m_answer, &config);
    if (!ok)
        LUMO_LOG(6, "P2P configuration answer not understood [%s]", m_answer.left(200).constData());
    QRCommon::instance()->fetchEnded(m_generation, ok, config);
}

void P2pServiceFetcher::onNetworkError(Common::NetworkError, const QString &, const QString &)
{
    // Network has logged it and told NetworkHelper's listener.
    QRCommon::instance()->fetchEnded(m_generation, false, P2pServiceConfig());
}
