#include "CWebMessageQueue.h"

#include "CWebBaseMsg.h"
#include "CWebPrivateMessage.h"
#include "FullScreenMsg.h"
#include "IWebViewManager.h"
#include "LoginSuccessMsg.h"
#include "MenuMsg.h"
#include "SecretMask.h"
#include "WebNotifyBuilder.h"

#include "Ostmark/AuthCenter.h"
#include "Ostmark/CBaseInfo.h"
#include "Ostmark/CConfig.h"
#include "Ostmark/CDataCheckTool.h"
#include "Ostmark/CLocalConfig.h"
#include "Ostmark/UIPermission.h"
#include "lumo/DPrintLog.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QJsonArray>
#include <QJsonDocument>
#include <QUrl>
#include <QUuid>

#include <cmath>
#include <memory>

using namespace ConfigInfo;

namespace Web {

namespace {

const QString kWheelPatrolMenu = QStringLiteral("/basic/#/client/wheelPatrolConfig");
const QString kCirclePlayButton = QStringLiteral("recordBack_circlePlay");

QString compactText(const QJsonObject &object)
{
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

std::unique_ptr<CWebBaseMsg> makeMsg(const QString &method, const QString &param = QString())
{
    auto msg = std::make_unique<CWebBaseMsg>();
    msg->strMethod = method;
    msg->strParam = param;
    return msg;
}

// The user id comes as text or as a number. Whole numbers are written out in full: the
// generic number format would turn a long id into exponent notation.
QString scalarText(const QJsonValue &value)
{
    switch (value.type()) {
    case QJsonValue::String:
        return value.toString();
    case QJsonValue::Double: {
        const double number = value.toDouble();
        if (std::trunc(number) == number && std::fabs(number) < 9007199254740992.0)
            return QString::number(static_cast<qint64>(number));
        return QString::number(number, 'g', 17);
    }
    case QJsonValue::Bool:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    default:
        return QString();
    }
}

// Ports inside the environment info are decimal texts; anything else reads as 0.
int portNumber(const QJsonValue &value)
{
    bool ok = false;
    const int port = value.toString().toInt(&ok, 10);
    return ok ? port : 0;
}

void applyEndpoint(const QJsonObject &source, OpenPlatformEndpoint &endpoint)
{
    if (source.contains(QLatin1String("host")))
        endpoint.strHost = source.value(QLatin1String("host")).toString();
    if (source.contains(QLatin1String("port")))
        endpoint.nPort = portNumber(source.value(QLatin1String("port")));
    if (source.contains(QLatin1String("scheme")))
        endpoint.bHttps
            = source.value(QLatin1String("scheme")).toString() == QLatin1String("https");
}

// A settings key changes its field only when the page sent it with its type: a page that
// sends some of the settings must not wipe the stored folders and switches it left out.
void takeSetting(const QJsonObject &params, const char *key, bool &field)
{
    const QJsonValue value = params.value(QLatin1String(key));
    if (value.isBool())
        field = value.toBool();
}

void takeSetting(const QJsonObject &params, const char *key, int &field)
{
    const QJsonValue value = params.value(QLatin1String(key));
    if (value.isDouble())
        field = value.toInt(field);
}

void takeSetting(const QJsonObject &params, const char *key, QString &field)
{
    const QJsonValue value = params.value(QLatin1String(key));
    if (value.isString())
        field = value.toString();
}

bool isOpenableUrl(const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid()
        && (scheme == QLatin1String("http") || scheme == QLatin1String("https")
            || scheme == QLatin1String("mailto"));
}

} // namespace

CWebMessageQueue::CWebMessageQueue()
    : lumo::DMessageQueue(1, 1024)
{ }

CWebMessageQueue::~CWebMessageQueue()
{
    // The worker must be gone before this object is: it calls processMsg. Calls still queued
    // are released unprocessed.
    Stop();
}

void CWebMessageQueue::setViewManager(IWebViewManager *viewManager)
{
    m_pViewManager.store(viewManager);
}

void CWebMessageQueue::pushWebMsg(const QJsonObject &call)
{
    if (!m_bStarted.load(std::memory_order_acquire)) {
        Start(); // a second caller racing here finds it running and changes nothing
        m_bStarted.store(true, std::memory_order_release);
    }
    auto *msg = new CWebPrivateMessage;
    msg->addRef();
    msg->jsonMsg = call;
    if (!PushMsg(msg))
        LUMO_LOG(6, "page call lost: the queue refused it");
    msg->release();
}

void CWebMessageQueue::processMsg(lumo::DMessage *msg)
{
    if (!msg)
        return;
    auto *call = dynamic_cast<CWebPrivateMessage *>(msg);
    if (!call) {
        LUMO_LOG(6, "not a page call: %s", msg->GetObjInfo().c_str());
        return;
    }
    const QString method = call->jsonMsg.take(QStringLiteral("method")).toString();
    LUMO_LOG(4, "processMsg =%s \n", qUtf8Printable(method));
    CWebBaseMsg *typed = handleCall(method, call->jsonMsg.take(QStringLiteral("params")));
    if (!typed)
        return;
    if (IWebViewManager *viewManager = m_pViewManager.load()) {
        viewManager->sendMsgToManager(typed); // ownership passes to the view
    } else {
        LUMO_LOG(4, "no view manager, message [%s] dropped", qUtf8Printable(typed->strMethod));
        delete typed;
    }
}

CWebBaseMsg *CWebMessageQueue::handleCall(const QString &method, const QJsonValue &paramsValue)
{
    QJsonObject params = paramsValue.toObject();

    if (method == QLatin1String("WebInited") || method == QLatin1String("GetClientInfo")) {
        replyClientInfo();
        return nullptr;
    }
    if (method == QLatin1String("NotifyLoginSucc")) {
        saveUserInfo(params);
        AuthCenter::instance()->saveLoginTime();
        saveMenuInfo(params);
        saveNoPossessBtnList(params);
        saveFunctionConfig(params);
        AuthCenter::instance()->setClientLoginedStatue(true);
        auto msg = std::make_unique<LoginSuccessMsg>();
        msg->strLogoName = params.take(QStringLiteral("logoName")).toString();
        msg->strLogoImagePath = params.take(QStringLiteral("logoImagePath")).toString();
        return msg.release();
    }
    if (method == QLatin1String("NotifyLoginOut")) {
        clearUserInfo();
        CBaseInfo::instance()->clearAllMenuInfo();
        UIPermission::instance()->clearPermission();
        CBaseInfo::instance()->setOpenOSD(false);
        AuthCenter::instance()->setClientLoginedStatue(false);
        return makeMsg(method).release();
    }
    if (method == QLatin1String("CloseApp")) {
        // The whole logout runs, and its message is dispatched, before "CloseApp" itself.
        auto *logout = new CWebPrivateMessage;
        logout->addRef();
        logout->jsonMsg = QJsonObject {{QStringLiteral("method"), QStringLiteral("NotifyLoginOut")},
                                       {QStringLiteral("params"), QJsonObject()}};
        processMsg(logout);
        logout->release();
        return makeMsg(method).release();
    }
    if (method == QLatin1String("MinSize"))
        return makeMsg(method).release();
    if (method == QLatin1String("OpenUrl")) {
        openUrl(params.take(QStringLiteral("url")).toString());
        return nullptr;
    }
    if (method == QLatin1String("UserInfoModify")) {
        saveUserInfo(params);
        return makeMsg(method).release();
    }
    if (method == QLatin1String("NotifySwitchMoudle")) {
        auto msg = std::make_unique<MenuMsg>();
        msg->strMethod = QStringLiteral("NotifySwitchMenuBtn");
        msg->strMenuPath = params.take(QStringLiteral("menuPath")).toString();
        return msg.release();
    }
    if (method == QLatin1String("LocalConfig")) {
        if (params.value(QLatin1String("isRead")).toBool()) {
            replyLocalConfig();
            return nullptr;
        }
        saveLocalConfig(params);
        return makeMsg(method, compactText(params)).release();
    }
    if (method == QLatin1String("SaveStoreName")) {
        CConfig *config = CConfig::instance();
        LogoInfo logo = config->getLogoInfo();
        logo.strLogoName = params.value(QLatin1String("storeName")).toString();
        config->setLogoInfo(logo);
        return nullptr;
    }
    if (method == QLatin1String("ExportInspectionImageTogether")) {
        // Its params are an array; listeners get it wrapped in an object.
        const QJsonObject wrapped {{QStringLiteral("params"), paramsValue.toArray()}};
        return makeMsg(method, compactText(wrapped)).release();
    }
    if (method == QLatin1String("LoginUserInfo")) {
        saveLoginUserInfo(params);
        return makeMsg(method, compactText(params)).release();
    }
    if (method == QLatin1String("FullScreen")) {
        auto msg = std::make_unique<FullScreenMsg>();
        msg->bFullScreen = params.value(QLatin1String("bFullScreen")).toBool();
        return msg.release();
    }
    return makeMsg(method, compactText(params)).release();
}

void CWebMessageQueue::openUrl(const QString &url)
{
    // Only web and mail addresses: a page must not make the desktop run a local file or
    // any other handler.
    const QUrl address(url, QUrl::TolerantMode);
    if (!isOpenableUrl(address)) {
        LUMO_LOG(6, "OpenUrl refused [%s]", qUtf8Printable(url));
        return;
    }
    QCoreApplication *app = QCoreApplication::instance();
    if (!app) {
        LUMO_LOG(6, "OpenUrl [%s]: no application", qUtf8Printable(url));
        return;
    }
    // The desktop services belong to the GUI thread.
    QMetaObject::invokeMethod(
        app, [address] { QDesktopServices::openUrl(address); }, Qt::QueuedConnection);
}

void CWebMessageQueue::saveUserInfo(QJsonObject &params)
{
    AuthCenter *auth = AuthCenter::instance();
    auth->setUserName(params.value(QLatin1String("userName")).toString());
    auth->setFullName(params.value(QLatin1String("name")).toString());
    auth->setUserType(params.value(QLatin1String("userType")).toString());
    auth->setUserPhotoUrl(params.value(QLatin1String("userPhoto")).toString());
    auth->setAccountType(params.value(QLatin1String("accountType")).toInt());
    auth->setUserPhone(params.value(QLatin1String("phone")).toString());
    auth->setCompanyId(params.value(QLatin1String("companyId")).toInt());
    auth->setUserId(scalarText(params.value(QLatin1String("id"))));
    const QString token = params.value(QLatin1String("token")).toString();
    const QString qrToken = params.value(QLatin1String("qrToken")).toString();
    auth->saveToken(token);
    auth->saveQrToken(qrToken);
    CDataCheckTool::instance()->setSalt(params.value(QLatin1String("salt")).toString());

    QString sessionId = QUuid::createUuid().toString();
    sessionId.remove(QLatin1Char('{'))
        .remove(QLatin1Char('}'))
        .remove(QLatin1Char('_'))
        .remove(QLatin1Char('-'));
    auth->setClientSessionId(sessionId);
    LUMO_LOG(4, "saveUserInfo token [%s] qrToken [%s]",
             qUtf8Printable(SecretMask::maskToken(token)),
             qUtf8Printable(SecretMask::maskToken(qrToken)));
}

void CWebMessageQueue::saveMenuInfo(QJsonObject &params)
{
    const QJsonValue menuList = params.take(QStringLiteral("menuList"));
    if (!menuList.isArray())
        return;
    CBaseInfo *baseInfo = CBaseInfo::instance();
    const QJsonArray menus = menuList.toArray();
    for (const QJsonValue &element : menus) {
        const QJsonObject menu = element.toObject();
        MenuInfo info;
        info.strMenuName = menu.value(QLatin1String("menuName")).toString();
        info.strMenuPath = menu.value(QLatin1String("menuPath")).toString();
        info.bNavigation = menu.value(QLatin1String("menuNavigation")).toBool();
        info.bPresent = true;
        baseInfo->setMenuInfo(info);
        LUMO_LOG(4, "strMenuName =%s,strMenuPath =%s\n", qUtf8Printable(info.strMenuName),
                 qUtf8Printable(info.strMenuPath));
    }
    // Circular play in record playback belongs to the wheel-patrol configuration menu.
    UIPermission::instance()->setBtnShowPermission(
        kCirclePlayButton, baseInfo->getMenuInfo(kWheelPatrolMenu).bPresent);
}

void CWebMessageQueue::saveNoPossessBtnList(QJsonObject &params)
{
    const QVariantList buttons
        = params.take(QStringLiteral("noPossessPcBtnList")).toArray().toVariantList();
    UIPermission::instance()->setBtnEnablePermission(buttons, false);
}

void CWebMessageQueue::saveFunctionConfig(QJsonObject &params)
{
    QJsonObject functionConfig = params.take(QStringLiteral("functionConfig")).toObject();
    const int waterMark = functionConfig.take(QStringLiteral("waterMark")).toInt();
    CBaseInfo::instance()->setOpenOSD(waterMark != 0);
}

void CWebMessageQueue::saveLocalConfig(QJsonObject &params)
{
    CConfig *config = CConfig::instance();

    VideoShow videoShow = config->getVideoShow();
    takeSetting(params, "isOnChn", videoShow.bShowChannelName);
    takeSetting(params, "isOnDev", videoShow.bShowDevName);
    takeSetting(params, "isOnRate", videoShow.bShowRate);
    takeSetting(params, "isOnIvs", videoShow.bShowIvs);
    takeSetting(params, "decodeType", videoShow.nDecodeType);
    config->setVideoShow(videoShow);

    PicAccessInfo picture = config->getPicAccessInfo();
    takeSetting(params, "imgPath", picture.strPicPath);
    config->setPicAccessInfo(picture);

    RecordConfig record = config->getRecordConfig();
    takeSetting(params, "videoPath", record.strRecordPath);
    takeSetting(params, "recordType", record.nRecordSource);
    config->setRecordConfig(record);

    Alarm alarm = config->getAlarm();
    takeSetting(params, "isOpenBallSwitch", alarm.bAlarmBall);
    config->setAlarm(alarm);

    int talkType = config->getTalkType();
    takeSetting(params, "talkType", talkType);
    config->setTalkType(talkType);
    int streamType = config->getStreamType();
    takeSetting(params, "streamType", streamType);
    config->setStreamType(streamType);
}

void CWebMessageQueue::saveLoginUserInfo(QJsonObject &params)
{
    const QString userName = params.value(QLatin1String("userName")).toString();
    const QString password = params.value(QLatin1String("password")).toString();
    CBaseInfo *baseInfo = CBaseInfo::instance();
    baseInfo->setProductName(params.value(QLatin1String("productName")).toString());
    baseInfo->setProductType(params.value(QLatin1String("baseProductType")).toInt());

    if (!userName.isEmpty())
        AuthCenter::instance()->setUserName(userName);
    if (!password.isEmpty())
        AuthCenter::instance()->setUserPassword(password);

    CLocalConfig *localConfig = CLocalConfig::instance();
    if (!localConfig->getLocalEnvInfoEnable()) {
        // "envInfo" holds a JSON object as text; anything else is ignored.
        const QJsonDocument envInfo
            = QJsonDocument::fromJson(params.value(QLatin1String("envInfo")).toString().toUtf8());
        if (envInfo.isObject())
            saveEnvInfo(envInfo.object());
    }

    // After the environment, so that the manual lies below the platform address of this
    // login rather than of the previous one.
    const QString instructionsUrl = params.value(QLatin1String("instructionsUrl")).toString();
    baseInfo->setInstructionUrl(instructionsUrl.isEmpty()
                                    ? localConfig->getWebDlgUrl()
                                    : localConfig->getPlatformUrl() + instructionsUrl);
}

void CWebMessageQueue::saveEnvInfo(const QJsonObject &envInfo)
{
    CLocalConfig *localConfig = CLocalConfig::instance();
    if (envInfo.contains(QLatin1String("iotOpen"))) {
        ComIOTOpen iot = localConfig->getComIOTOpenInfo();
        applyEndpoint(envInfo.value(QLatin1String("iotOpen")).toObject(), iot);
        localConfig->setComIOTOpenInfo(iot);
    }
    if (envInfo.contains(QLatin1String("qrOpen"))) {
        LocalQROpen qr = localConfig->getQROpenInfo();
        applyEndpoint(envInfo.value(QLatin1String("qrOpen")).toObject(), qr);
        localConfig->setQROpenInfo(qr);
    }
    if (envInfo.contains(QLatin1String("sipServer"))) {
        const QJsonObject sip = envInfo.value(QLatin1String("sipServer")).toObject();
        VideoIntercomSetting intercom = localConfig->getVideoIntercomSetting();
        if (sip.contains(QLatin1String("host")))
            intercom.strHost = sip.value(QLatin1String("host")).toString();
        if (sip.contains(QLatin1String("port")))
            intercom.nPort = portNumber(sip.value(QLatin1String("port")));
        localConfig->setVideoIntercomSetting(intercom);
    }
    if (envInfo.contains(QLatin1String("hvHeartbeatServer"))) {
        const QJsonObject heartbeat = envInfo.value(QLatin1String("hvHeartbeatServer")).toObject();
        localConfig->setHeartBeartUrl(
            heartbeat.value(QLatin1String("scheme")).toString() + QStringLiteral("://")
            + heartbeat.value(QLatin1String("host")).toString() + QLatin1Char(':')
            + heartbeat.value(QLatin1String("port")).toString());
    }
    if (envInfo.contains(QLatin1String("hvServer"))) {
        const QJsonObject server = envInfo.value(QLatin1String("hvServer")).toObject();
        localConfig->setPlatformUrl(server.value(QLatin1String("scheme")).toString(),
                                    server.value(QLatin1String("host")).toString(),
                                    portNumber(server.value(QLatin1String("port"))));
    }
    if (envInfo.contains(QLatin1String("hvWeb")))
        localConfig->setWebUrl(envInfo.value(QLatin1String("hvWeb")).toString());
}

void CWebMessageQueue::clearUserInfo()
{
    AuthCenter *auth = AuthCenter::instance();
    auth->clearUserInfo();
    auth->clearToken();
    auth->clearQrToken();
}

} // namespace Web
