#include "PlayToken.h"

#include "AuthCenter.h"
#include "CDeviceInfoObj.h"
#include "CLocalConfig.h"
#include "PlayTokenRequest.h"

#include "lumo/DPrintLog.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QCoreApplication>
#include <QThread>

PlayToken *PlayToken::instance()
{
    // Never destroyed: requests on worker threads may report while the process ends.
    static PlayToken *token = new PlayToken;
    return token;
}

void PlayToken::requestAllPlayTokens()
{
    const QString token = AuthCenter::instance()->getToken();
    quint64 generation = 0;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        generation = ++m_generation;
        if (m_pRequest)
            QMetaObject::invokeMethod(m_pRequest, &PlayTokenRequest::cancel, Qt::QueuedConnection);
    }
    if (token.isEmpty()) {
        LUMO_LOG(4, "no login token: play tokens not requested");
        emit sgnGetAllTokens();
        return;
    }

    QJsonObject body;
    const QStringList devices = CDeviceInfoObj::instance()->deviceIds();
    if (!devices.isEmpty())
        body.insert(QStringLiteral("deviceIds"), QJsonArray::fromStringList(devices));
    const QString url
        = ConfigInfo::CLocalConfig::instance()->getPlatformUrl() + QLatin1String(RequestPath);
    auto *request = new PlayTokenRequest(generation, url, token,
                                         QJsonDocument(body).toJson(QJsonDocument::Compact));
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_pRequest = request;
    }
    // A worker stopped in mid-request leaves its event loop without running it again; the
    // request goes with the thread.
    QThread *thread = QThread::currentThread();
    const QCoreApplication *app = QCoreApplication::instance();
    if (!app || thread != app->thread())
        connect(thread, &QThread::finished, request, &QObject::deleteLater, Qt::DirectConnection);
    request->start();
}

void PlayToken::cancelRequestAllPlayTokens()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    ++m_generation;
    // Posted under the lock: the request cannot be destroyed meanwhile, and a posted call to
    // an object that is destroyed later is dropped by Qt.
    if (m_pRequest)
        QMetaObject::invokeMethod(m_pRequest, &PlayTokenRequest::cancel, Qt::QueuedConnection);
}

void PlayToken::clearAllPlayTokens()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_mapTokens.clear();
}

QVector<PlayTokenInfo> PlayToken::getAllPlayTokens() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return QVector<PlayTokenInfo>(m_mapTokens.cbegin(), m_mapTokens.cend());
}

QString PlayToken::getPlayToken(const QString &deviceId) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_mapTokens.value(deviceId).strToken;
}

void PlayToken::requestEnded(PlayTokenRequest *request, quint64 generation, bool ok,
                             const QVector<PlayTokenInfo> &tokens)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_pRequest == request)
            m_pRequest = nullptr;
        if (generation != m_generation)
            return; // cancelled or superseded
        if (ok) {
            m_mapTokens.clear();
            for (const PlayTokenInfo &info : tokens)
                m_mapTokens.insert(info.strDeviceId, info);
        }
    }
    LUMO_LOG(4, "play tokens %s: %d held", ok ? "received" : "not received",
             getAllPlayTokens().size());
    emit sgnGetAllTokens();
}

void PlayToken::requestDestroyed(PlayTokenRequest *request)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_pRequest == request)
        m_pRequest = nullptr;
}
