#include "PlayTokenRequest.h"

#include "Network.h"
#include "PlayToken.h"

#include "lumo/DPrintLog.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

PlayTokenRequest::PlayTokenRequest(quint64 generation, const QString &url, const QString &token,
                                   const QByteArray &body)
    : m_generation(generation)
    , m_pNetwork(new Common::Network(QLatin1String(PlayToken::RequestName), this))
    , m_body(body)
{
    m_pNetwork->registerObject(this);
    m_pNetwork->setTimeoutTime(10000);
    m_pNetwork->setAuthorization(token);
    m_pNetwork->setRequestUrl(url);
}

PlayTokenRequest::~PlayTokenRequest()
{
    m_pNetwork->deregisterObject(this);
    PlayToken::instance()->requestDestroyed(this);
}

void PlayTokenRequest::start()
{
    m_pNetwork->postRequest(m_body);
}

void PlayTokenRequest::cancel()
{
    m_pNetwork->cancleRequest();
    deleteLater();
}

void PlayTokenRequest::onNetworkData(const QByteArray &chunk, const QString &)
{
    m_answer += chunk;
}

void PlayTokenRequest::onNetworkFinished(const QString &)
{
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(m_answer, &parseError);
    const QJsonValue tokens
        = doc.object().value(QStringLiteral("data")).toObject().value(QStringLiteral("tokens"));
    if (parseError.error != QJsonParseError::NoError || !doc.isObject() || !tokens.isArray()) {
        LUMO_LOG(6, "play token answer not understood: %s [%s]",
                 qUtf8Printable(parseError.errorString()), m_answer.left(200).constData());
        PlayToken::instance()->requestEnded(this, m_generation, false, {});
        deleteLater();
        return;
    }
    QVector<PlayTokenInfo> list;
    for (const QJsonValue &value : tokens.toArray()) {
        const QJsonObject o = value.toObject();
        PlayTokenInfo info;
        info.strDeviceId = o.value(QStringLiteral("deviceId")).toString();
        info.strToken = o.value(QStringLiteral("token")).toString();
        info.iExpireTime = qint64(o.value(QStringLiteral("expireTime")).toDouble());
        if (!info.strDeviceId.isEmpty())
            list.append(info);
    }
    PlayToken::instance()->requestEnded(this, m_generation, true, list);
    deleteLater();
}

void PlayTokenRequest::onNetworkError(Common::NetworkError, const QString &, const QString &)
{
    // Network has logged it and told NetworkHelper's listener.
    PlayToken::instance()->requestEnded(this, m_generation, false, {});
    deleteLater();
}
