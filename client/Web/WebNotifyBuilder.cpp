#include "WebNotifyBuilder.h"

#include "Ostmark/CBaseInfo.h"
#include "Ostmark/CClientInfo.h"
#include "Ostmark/CConfig.h"
#include "Ostmark/WebNotifyBus.h"

#include <atomic>

namespace Web {

namespace {

// Shared by every builder on every thread, never reset: two notifications never carry the
// same id.
std::atomic<int> g_notifyId {0};

void sendToMainView(const QString &method, const QJsonObject &params)
{
    QJsonObject object = buildRpcHeader(method, false, true, -1);
    object.insert(QStringLiteral("params"), params);
    WebNotifyBus::sendRPCNotify(object, QStringLiteral("Main"));
}

} // namespace

QJsonObject buildRpcHeader(const QString &method, bool async, bool result, int id)
{
    QJsonObject head;
    head.insert(QStringLiteral("result"), result);
    head.insert(QStringLiteral("id"), id == -1 ? g_notifyId.fetch_add(1) + 1 : id);
    head.insert(QStringLiteral("async"), async);
    head.insert(QStringLiteral("method"), method);
    return head;
}

void sendMessageToWeb(int type, QString id)
{
    sendToMainView(QStringLiteral("SendMessageToWeb"),
                   {{QStringLiteral("type"), type}, {QStringLiteral("id"), id}});
}

void notifyExitApp()
{
    sendToMainView(QStringLiteral("ExitApp"), QJsonObject());
}

void notifyFullScreen(bool bFullScreen)
{
    sendToMainView(QStringLiteral("FullScreen"), {{QStringLiteral("bFullScreen"), bFullScreen}});
}

void replyLocalConfig()
{
    using namespace ConfigInfo;
    CConfig *config = CConfig::instance();
    const VideoShow videoShow = config->getVideoShow();
    const RecordConfig record = config->getRecordConfig();
    const QJsonObject params {
        {QStringLiteral("videoPath"), record.strRecordPath},
        {QStringLiteral("imgPath"), config->getPicAccessInfo().strPicPath},
        {QStringLiteral("isOnDev"), videoShow.bShowDevName},
        {QStringLiteral("isOnChn"), videoShow.bShowChannelName},
        {QStringLiteral("isOnRate"), videoShow.bShowRate},
        {QStringLiteral("isOnIvs"), videoShow.bShowIvs},
        {QStringLiteral("recordType"), record.nRecordSource},
        {QStringLiteral("isOpenBallSwitch"), config->getAlarm().bAlarmBall},
        {QStringLiteral("decodeType"), videoShow.nDecodeType},
        {QStringLiteral("talkType"), config->getTalkType()},
        {QStringLiteral("streamType"), config->getStreamType()},
    };
    sendToMainView(QStringLiteral("GetLocalConfig"), params);
}

void notify401()
{
    sendToMainView(QStringLiteral("Notify401"), QJsonObject());
}

void notifyMenuClicked(QString menuCode, QString menuPath)
{
    sendToMainView(
        QStringLiteral("MenuClicked"),
        {{QStringLiteral("menuCode"), menuCode}, {QStringLiteral("menuPath"), menuPath}});
}

void notifyMenuNumUpdate(QJsonArray visibleMenuPath)
{
    sendToMainView(QStringLiteral("NotifyMenuNumUpdate"),
                   {{QStringLiteral("visibleMenuPath"), visibleMenuPath}});
}

void replyClientInfo()
{
    using namespace ConfigInfo;
    const QJsonObject params {
        {QStringLiteral("macAddr"), CBaseInfo::getSysMac()},
        {QStringLiteral("version"), CClientInfo::instance()->getClientVersion()},
        {QStringLiteral("sysVersion"), CBaseInfo::getSysVersion()},
        {QStringLiteral("sysBit"), CBaseInfo::getSysBit()},
    };
    sendToMainView(QStringLiteral("ReplyClientInfo"), params);
}

} // namespace Web
