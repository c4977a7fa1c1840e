#include "QRCommon.h"

#include "AuthCenter.h"
#include "CLocalConfig.h"
#include "P2pServiceFetcher.h"

#include "lumo/DPrintLog.h"

#include <QThread>

QRCommon *QRCommon::instance()
{
    // Never destroyed: its worker may report while the process ends.
    static QRCommon *common = new QRCommon;
    return common;
}

void QRCommon::initEnvironment()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_pThread)
        return;
    m_pThread = new QThread;
    m_pThread->setObjectName(QStringLiteral("QRCommon"));
    m_pFetcher = new P2pServiceFetcher;
    m_pFetcher->moveToThread(m_pThread);
    // The fetcher and its request object end on their own thread.
    connect(m_pThread, &QThread::finished, m_pFetcher, &QObject::deleteLater);
    m_pThread->start();
}

void QRCommon::uninitEnvironment()
{
    QThread *thread = nullptr;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        thread = m_pThread;
        m_pThread = nullptr;
        m_pFetcher = nullptr;
        m_config = P2pServiceConfig();
        ++m_generation;
        m_bFetching = false;
    }
    if (!thread)
        return;
    thread->quit();
    thread->wait();
    delete thread;
}

void QRCommon::clearP2pService()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_config = P2pServiceConfig();
    ++m_generation;
    m_bFetching = false;
}

void QRCommon::reportLater(bool result)
{
    QMetaObject::invokeMethod(
        this, [this, result] { emit sgnP2pServiceConfigResult(result); }, Qt::QueuedConnection);
}

void QRCommon::getP2pServiceConfigByThread()
{
    const QString token = AuthCenter::instance()->getToken();
    const QString url
        = ConfigInfo::CLocalConfig::instance()->getPlatformUrl() + QLatin1String(RequestPath);
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_pFetcher) {
        LUMO_LOG(4, "P2P environment not initialised");
        reportLater(false);
        return;
    }
    if (token.isEmpty()) {
        LUMO_LOG(4, "no login token: P2P configuration not requested");
        reportLater(false);
        return;
    }
    if (m_bFetching)
        return;
    m_bFetching = true;
    const quint64 generation = m_generation;
    P2pServiceFetcher *fetcher = m_pFetcher;
    QMetaObject::invokeMethod(
        fetcher, [fetcher, generation, url, token] { fetcher->fetch(generation, url, token); },
        Qt::QueuedConnection);
}

P2pServiceConfig QRCommon::getP2pServiceConfig() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_config;
}

bool QRCommon::isEnvironmentReady() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_pThread != nullptr;
}

void QRCommon::fetchEnded(quint64 generation, bool ok, const P2pServiceConfig &config)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (generation != m_generation)
            return; // cleared meanwhile: the answer belongs to an ended session
        m_bFetching = false;
        if (ok)
            m_config = config;
    }
    LUMO_LOG(4, "P2P configuration %s", ok ? "received" : "not received");
    emit sgnP2pServiceConfigResult(ok);
}
