#include "CLoginSession.h"

#include "CPlayTokenRequestObj.h"

#include "Ostmark/CConfig.h"
#include "Ostmark/CDeviceInfoObj.h"
#include "Ostmark/ConditionWaiter.h"
#include "Ostmark/QRCommon.h"
#include "Tamsin/VideoOperationLogManager.h"
#include "lumo/DPrintLog.h"

#include <QDir>
#include <QFile>
#include <QTimer>

CLoginSession::CLoginSession(QObject *parent)
    : QObject(parent)
    , m_pConditionWaiter(new ConditionWaiter(this))
    , m_pP2pRetryTimer(new QTimer(this))
{
    connect(m_pP2pRetryTimer, &QTimer::timeout, this, &CLoginSession::onP2pServerTimeout);
    connect(QRCommon::instance(), &QRCommon::sgnP2pServiceConfigResult, this,
            &CLoginSession::onP2pServerConfigResult);
    m_pConditionWaiter->initConditionMap(
        QStringList{QLatin1String(LoginSuccessCondition), QLatin1String(LoginInfoCondition)});
    connect(m_pConditionWaiter, &ConditionWaiter::conditionFinish, this,
            &CLoginSession::onConfigInitConditionFinish);
}

CLoginSession::~CLoginSession() = default;

void CLoginSession::onLoginSucceeded()
{
    m_pConditionWaiter->setConditionStatus(QLatin1String(LoginSuccessCondition), true);
}

void CLoginSession::onLoginInfo()
{
    m_pConditionWaiter->setConditionStatus(QLatin1String(LoginInfoCondition), true);
}

void CLoginSession::onConfigInitConditionFinish()
{
    VideoOperationLogManager::GetInstance();
    CPlayTokenRequestObj::instance()->startRequest();
    if (!m_pPlayInfoTimer) {
        m_pPlayInfoTimer = new QTimer(this);
        m_pPlayInfoTimer->setTimerType(Qt::VeryCoarseTimer);
        connect(m_pPlayInfoTimer, &QTimer::timeout, this, &CLoginSession::onPlayInfoTimeout);
    }
    m_pPlayInfoTimer->stop();
    m_pPlayInfoTimer->start(PlayInfoRefreshMs);
    QRCommon::instance()->initEnvironment();
    m_pP2pRetryTimer->stop();
    m_pP2pRetryTimer->start(P2pRetryMs);
    LUMO_LOG(4, "login complete: session services started");
    emit sgnLoginCompleted();
}

void CLoginSession::onPlayInfoTimeout()
{
    CPlayTokenRequestObj *worker = CPlayTokenRequestObj::instance();
    worker->stopRequest();
    CDeviceInfoObj::instance()->clearDeviceInfoObj();
    // The worker must have left its loop before it can run again.
    worker->wait(5000);
    worker->startRequest();
}

void CLoginSession::onP2pServerTimeout()
{
    QRCommon::instance()->getP2pServiceConfigByThread();
}

void CLoginSession::onP2pServerConfigResult(bool result)
{
    if (result)
        m_pP2pRetryTimer->stop();
}

void CLoginSession::onLogout()
{
    CDeviceInfoObj::instance()->clearDeviceInfoObj();
    CPlayTokenRequestObj::instance()->stopRequest();
    if (m_pPlayInfoTimer && m_pPlayInfoTimer->isActive())
        m_pPlayInfoTimer->stop();
    QRCommon::instance()->clearP2pService();
    removeTemporaryVideos(ConfigInfo::CConfig::instance()->getDownloadConfig().strDownloadRecordPath);
    m_pConditionWaiter->resetConditionMap();
}

bool CLoginSession::isP2pRetryActive() const
{
    return m_pP2pRetryTimer->isActive();
}

bool CLoginSession::isPlayInfoTimerActive() const
{
    return m_pPlayInfoTimer && m_pPlayInfoTimer->isActive();
}

int CLoginSession::removeTemporaryVideos(const QString &folder)
{
    if (folder.isEmpty())
        return 0;
    const QDir dir(folder);
    int removed = 0;
    // The name filter of QDir ignores case; the extension must match exactly.
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden)) {
        if (name.endsWith(QLatin1String(".dav"), Qt::CaseSensitive)
            && QFile::remove(dir.filePath(name)))
            ++removed;
    }
    return removed;
}
