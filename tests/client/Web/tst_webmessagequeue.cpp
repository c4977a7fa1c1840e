#include "WebCallRecorder.h"

#include "Web/CWebMessageQueue.h"

#include "Ostmark/AuthCenter.h"
#include "Ostmark/CConfig.h"
#include "Ostmark/CDataCheckTool.h"
#include "Ostmark/CLocalConfig.h"
#include "Ostmark/CStorePaths.h"
#include "Ostmark/UIPermission.h"

#include <QDesktopServices>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace ConfigInfo;
using namespace Web;

namespace {

QJsonObject call(const QString &method, const QJsonValue &params = QJsonObject())
{
    return {{QStringLiteral("method"), method}, {QStringLiteral("params"), params}};
}

QString compact(const QJsonObject &object)
{
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

QString endpointText(const OpenPlatformEndpoint &e)
{
    return QStringLiteral("%1|%2|%3").arg(e.strHost).arg(e.nPort).arg(e.bHttps);
}

QString intercomText(const VideoIntercomSetting &s)
{
    return QStringLiteral("%1|%2").arg(s.strHost).arg(s.nPort);
}

const QString kWheelPatrol = QStringLiteral("/basic/#/client/wheelPatrolConfig");
const QString kCirclePlay = QStringLiteral("recordBack_circlePlay");

} // namespace

// Records the addresses that QDesktopServices would open; GUI thread.
class UrlOpenRecorder : public QObject
{
    Q_OBJECT

public slots:
    void open(const QUrl &url) { opened.append(QString::fromUtf8(url.toEncoded())); }

public:
    QStringList opened;
};

class tst_WebMessageQueue : public QObject
{
    Q_OBJECT

    QTemporaryDir m_programDir;
    QTemporaryDir m_userDir;
    WebCallRecorder m_recorder;
    std::unique_ptr<CWebMessageQueue> m_queue;

    // Pushes the calls, then a "GetClientInfo" whose reply marks the end; returns what the
    // calls produced, in order.
    bool run(const QList<QJsonObject> &calls, QList<WebCallEvent> *produced = nullptr)
    {
        m_recorder.clearEvents();
        for (const QJsonObject &c : calls)
            m_queue->pushWebMsg(c);
        m_queue->pushWebMsg(call(QStringLiteral("GetClientInfo")));
        const bool done = QTest::qWaitFor([this] {
            const QList<WebCallEvent> events = m_recorder.events();
            return !events.isEmpty() && events.last().method == QLatin1String("ReplyClientInfo");
        });
        if (produced) {
            *produced = m_recorder.events();
            if (!produced->isEmpty())
                produced->removeLast();
        }
        return done;
    }

    void setLocalEnvInfoEnable(bool enable)
    {
        QSettings local(m_programDir.filePath(QStringLiteral("Localcfg.ini")),
                        QSettings::IniFormat);
        local.setValue(QStringLiteral("Web/LocalEnvInfoEnable"), enable);
        local.sync();
    }

    static QJsonObject fullLoginParams()
    {
        return QJsonObject {
            {"userName", "shop.admin"},
            {"name", "Ada Lindqvist"},
            {"userType", "2"},
            {"userPhoto", "https://cdn.example/photo.png"},
            {"accountType", 1},
            {"phone", "+46 70 000 00 00"},
            {"companyId", 4711},
            {"id", 1234567890123.0},
            {"token", "tok-123"},
            {"qrToken", "qr-456"},
            {"salt", "pepper"},
            {"menuList",
             QJsonArray {
                 QJsonObject {{"menuName", "Navigation"},
                              {"menuPath", "/#/client/navitation"},
                              {"menuNavigation", true}},
                 QJsonObject {{"menuName", "Wheel patrol"},
                              {"menuPath", "/basic/#/client/wheelPatrolConfig"},
                              {"menuNavigation", false}},
             }},
            {"noPossessPcBtnList", QJsonArray {"btnExport", "btnDelete"}},
            {"functionConfig", QJsonObject {{"waterMark", 1}}},
            {"logoName", "Filiale Nord"},
            {"logoImagePath", "/logo/nord.png"},
        };
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_programDir.isValid() && m_userDir.isValid());
        CStorePaths::setProgramFolder(m_programDir.path());
        CStorePaths::setUserStoreFolder(m_userDir.path());
    }

    void cleanupTestCase()
    {
        CStorePaths::setProgramFolder(QString());
        CStorePaths::setUserStoreFolder(QString());
    }

    void init()
    {
        setLocalEnvInfoEnable(false);
        AuthCenter::instance()->initAuthCenter();
        CBaseInfo::instance()->clearAllMenuInfo();
        CBaseInfo::instance()->setOpenOSD(false);
        UIPermission::instance()->clearPermission();
        m_queue = std::make_unique<CWebMessageQueue>();
        m_queue->setViewManager(&m_recorder);
    }

    void cleanup()
    {
        m_queue->setViewManager(nullptr);
        m_queue.reset();
    }

    void pageCallBecomesTypedMessage_data()
    {
        QTest::addColumn<QString>("method");
        QTest::addColumn<QJsonValue>("params");
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("msgMethod");
        QTest::addColumn<QString>("msgParam");
        QTest::addColumn<QString>("extra");

        const QString flow = QStringLiteral("/passengerFlow/#/client/flowReport/flowOverView");
        QTest::newRow("NotifySwitchMoudle")
            << "NotifySwitchMoudle" << QJsonValue(QJsonObject {{"menuPath", flow}, {"x", 1}})
            << "MenuMsg"
            << "NotifySwitchMenuBtn"
            << "" << flow;
        QTest::newRow("NotifySwitchMenuBtn stays plain")
            << "NotifySwitchMenuBtn" << QJsonValue(QJsonObject {{"menuPath", flow}})
            << "CWebBaseMsg"
            << "NotifySwitchMenuBtn"
            << "{\"menuPath\":\"/passengerFlow/#/client/flowReport/flowOverView\"}"
            << "";
        QTest::newRow("FullScreen true")
            << "FullScreen" << QJsonValue(QJsonObject {{"bFullScreen", true}}) << "FullScreenMsg"
            << "FullScreen"
            << ""
            << "true";
        QTest::newRow("FullScreen false")
            << "FullScreen" << QJsonValue(QJsonObject {{"bFullScreen", false}}) << "FullScreenMsg"
            << "FullScreen"
            << ""
            << "false";
        QTest::newRow("FullScreen without key")
            << "FullScreen" << QJsonValue(QJsonObject()) << "FullScreenMsg"
            << "FullScreen"
            << ""
            << "false";
        QTest::newRow("UserInfoModify has no params text")
            << "UserInfoModify" << QJsonValue(QJsonObject {{"name", "N"}, {"phone", "1"}})
            << "CWebBaseMsg"
            << "UserInfoModify"
            << ""
            << "";
        QTest::newRow("ExportInspectionImageTogether wraps its array")
            << "ExportInspectionImageTogether" << QJsonValue(QJsonArray {1, 2}) << "CWebBaseMsg"
            << "ExportInspectionImageTogether"
            << "{\"params\":[1,2]}"
            << "";
        QTest::newRow("unknown method")
            << "SomethingNew" << QJsonValue(QJsonObject {{"a", 1}}) << "CWebBaseMsg"
            << "SomethingNew"
            << "{\"a\":1}"
            << "";
        QTest::newRow("text params read as empty object")
            << "SomethingNew" << QJsonValue("text") << "CWebBaseMsg"
            << "SomethingNew"
            << "{}"
            << "";
        QTest::newRow("array params of another method")
            << "MessageRead" << QJsonValue(QJsonArray {1}) << "CWebBaseMsg"
            << "MessageRead"
            << "{}"
            << "";
        QTest::newRow("showPublicMsgDialog")
            << "showPublicMsgDialog" << QJsonValue(QJsonObject {{"title", "T"}, {"content", "C"}})
            << "CWebBaseMsg"
            << "showPublicMsgDialog"
            << "{\"content\":\"C\",\"title\":\"T\"}"
            << "";
        QTest::newRow("CloseVideoShop")
            << "CloseVideoShop"
            << QJsonValue(QJsonObject {{"menuCode", "c1"}, {"menuPath", "/video/#/shop"}})
            << "CWebBaseMsg"
            << "CloseVideoShop"
            << "{\"menuCode\":\"c1\",\"menuPath\":\"/video/#/shop\"}"
            << "";
        QTest::newRow("MinSize") << "MinSize" << QJsonValue(QJsonObject()) << "CWebBaseMsg"
                                 << "MinSize"
                                 << ""
                                 << "";
        QTest::newRow("NotifyLoginOut")
            << "NotifyLoginOut" << QJsonValue(QJsonObject()) << "CWebBaseMsg"
            << "NotifyLoginOut"
            << ""
            << "";
        QTest::newRow("LocalConfig write keeps every key")
            << "LocalConfig" << QJsonValue(QJsonObject {{"isRead", false}, {"talkType", 2}})
            << "CWebBaseMsg"
            << "LocalConfig"
            << "{\"isRead\":false,\"talkType\":2}"
            << "";
        QTest::newRow("NotifyLoginSucc takes the logo out")
            << "NotifyLoginSucc"
            << QJsonValue(QJsonObject {
                   {"logoName", "Nord"}, {"logoImagePath", "/n.png"}, {"userName", "u"}})
            << "LoginSuccessMsg"
            << "NotifyLoginSucc"
            << ""
            << "Nord|/n.png";
        QTest::newRow("LoginUserInfo")
            << "LoginUserInfo"
            << QJsonValue(QJsonObject {{"userName", "u"}, {"baseProductType", 3}}) << "CWebBaseMsg"
            << "LoginUserInfo"
            << "{\"baseProductType\":3,\"userName\":\"u\"}"
            << "";
    }

    void pageCallBecomesTypedMessage()
    {
        QFETCH(QString, method);
        QFETCH(QJsonValue, params);
        QFETCH(QString, className);
        QFETCH(QString, msgMethod);
        QFETCH(QString, msgParam);
        QFETCH(QString, extra);

        // Keys besides "method" and "params" are ignored.
        QJsonObject pageCall = call(method, params);
        pageCall.insert(QStringLiteral("id"), 9);
        QList<WebCallEvent> produced;
        QVERIFY(run({pageCall}, &produced));
        QCOMPARE(produced.size(), 1);
        const WebCallEvent &event = produced.first();
        QCOMPARE(event.kind, QStringLiteral("msg"));
        QCOMPARE(event.className, className);
        QCOMPARE(event.method, msgMethod);
        QCOMPARE(event.param, msgParam);
        QCOMPARE(event.extra, extra);
    }

    void callAnsweredWithoutDispatch_data()
    {
        QTest::addColumn<QJsonObject>("pageCall");
        QTest::addColumn<QString>("reply");

        QTest::newRow("WebInited") << call("WebInited") << "ReplyClientInfo";
        QTest::newRow("GetClientInfo") << call("GetClientInfo") << "ReplyClientInfo";
        QTest::newRow("LocalConfig read")
            << call("LocalConfig", QJsonObject {{"isRead", true}}) << "GetLocalConfig";
        QTest::newRow("SaveStoreName")
            << call("SaveStoreName", QJsonObject {{"storeName", "S"}}) << "";
        QTest::newRow("OpenUrl empty") << call("OpenUrl", QJsonObject {{"url", ""}}) << "";
    }

    void callAnsweredWithoutDispatch()
    {
        QFETCH(QJsonObject, pageCall);
        QFETCH(QString, reply);

        QList<WebCallEvent> produced;
        QVERIFY(run({pageCall}, &produced));
        QCOMPARE(produced.size(), reply.isEmpty() ? 0 : 1);
        if (!reply.isEmpty()) {
            QCOMPARE(produced.first().kind, QStringLiteral("notify"));
            QCOMPARE(produced.first().method, reply);
        }
    }

    void localConfigReadMatchesTheStores()
    {
        CConfig *config = CConfig::instance();
        VideoShow show;
        show.bShowRate = true;
        show.bShowChannelName = false;
        show.bShowDevName = false;
        show.bShowIvs = true;
        show.nDecodeType = 1;
        show.nCacheMode = 3;
        QVERIFY(config->setVideoShow(show));
        QVERIFY(config->setPicAccessInfo({QStringLiteral("/data/pictures"), 1}));
        QVERIFY(config->setRecordConfig({QStringLiteral("/data/records"), 1}));
        QVERIFY(config->setAlarm({true, false, false}));
        QVERIFY(config->setTalkType(1));
        QVERIFY(config->setStreamType(1));

        QList<WebCallEvent> produced;
        QVERIFY(run({call("LocalConfig", QJsonObject {{"isRead", true}})}, &produced));
        QCOMPARE(produced.size(), 1);
        // QJsonObject equality compares types too: true is not 1.
        QCOMPARE(produced.first().notify.value(QStringLiteral("params")).toObject(),
                 (QJsonObject {{"videoPath", "/data/records"},
                               {"imgPath", "/data/pictures"},
                               {"isOnDev", false},
                               {"isOnChn", false},
                               {"isOnRate", true},
                               {"isOnIvs", true},
                               {"recordType", 1},
                               {"isOpenBallSwitch", false},
                               {"decodeType", 1},
                               {"talkType", 1},
                               {"streamType", 1}}));
    }

    void localConfigWriteStoresEveryKey()
    {
        const QJsonObject settings {
            {"videoPath", "/rec/new"}, {"imgPath", "/pic/new"},    {"isOnDev", true},
            {"isOnChn", true},         {"isOnRate", false},        {"isOnIvs", false},
            {"recordType", 0},         {"isOpenBallSwitch", true}, {"decodeType", 0},
            {"talkType", 2},           {"streamType", 0}};
        QJsonObject write = settings;
        write.insert(QStringLiteral("isRead"), false);

        VideoShow show;
        show.nCacheMode = 3;
        QVERIFY(CConfig::instance()->setVideoShow(show));
        QVERIFY(CConfig::instance()->setPicAccessInfo({QStringLiteral("/pic/old"), 1}));

        QList<WebCallEvent> produced;
        QVERIFY(
            run({call("LocalConfig", write), call("LocalConfig", QJsonObject {{"isRead", true}})},
                &produced));
        QCOMPARE(produced.size(), 2);
        QCOMPARE(produced.at(0).method, QStringLiteral("LocalConfig"));
        QCOMPARE(produced.at(0).param, compact(write));
        // What a page writes, it reads back unchanged, key by key and type by type.
        QCOMPARE(produced.at(1).notify.value(QStringLiteral("params")).toObject(), settings);
        QCOMPARE(CConfig::instance()->getTalkType(), 2);
        // Fields the page protocol does not carry are written back as they were.
        QCOMPARE(CConfig::instance()->getVideoShow().nCacheMode, 3);
        QCOMPARE(CConfig::instance()->getPicAccessInfo().nPicFormat, 1);

        // A page that sends only some settings leaves the others as stored.
        QVERIFY(run({call("LocalConfig", QJsonObject {{"isRead", false}, {"talkType", 1}})}));
        QCOMPARE(CConfig::instance()->getTalkType(), 1);
        QCOMPARE(CConfig::instance()->getRecordConfig().strRecordPath, QStringLiteral("/rec/new"));
        QCOMPARE(CConfig::instance()->getPicAccessInfo().strPicPath, QStringLiteral("/pic/new"));
        QCOMPARE(CConfig::instance()->getAlarm().bAlarmBall, true);
        QCOMPARE(CConfig::instance()->getVideoShow().bShowDevName, true);
    }

    void loginSuccessStoresTheSession()
    {
        UIPermission::instance()->setBtnShowPermission(kCirclePlay, false);
        QList<WebCallEvent> produced;
        QVERIFY(run({call("NotifyLoginSucc", fullLoginParams())}, &produced));
        QCOMPARE(produced.size(), 1);
        QCOMPARE(produced.first().className, QStringLiteral("LoginSuccessMsg"));
        QCOMPARE(produced.first().extra, QStringLiteral("Filiale Nord|/logo/nord.png"));
        QCOMPARE(produced.first().param, QString());

        AuthCenter *auth = AuthCenter::instance();
        QCOMPARE(auth->getUserName(), QStringLiteral("shop.admin"));
        QCOMPARE(auth->getFullName(), QStringLiteral("Ada Lindqvist"));
        QCOMPARE(auth->getUserType(), QStringLiteral("2"));
        QCOMPARE(auth->getUserPhotoUrl(), QStringLiteral("https://cdn.example/photo.png"));
        QCOMPARE(auth->getAccountType(), 1);
        QCOMPARE(auth->getUserPhone(), QStringLiteral("+46 70 000 00 00"));
        QCOMPARE(auth->getCompanyId(), 4711);
        QCOMPARE(auth->getUserId(), QStringLiteral("1234567890123"));
        QCOMPARE(auth->getToken(), QStringLiteral("tok-123"));
        QCOMPARE(auth->getQrToken(), QStringLiteral("qr-456"));
        QCOMPARE(CDataCheckTool::instance()->getSalt(), QStringLiteral("pepper"));
        QVERIFY(QRegularExpression(QStringLiteral("^[0-9a-f]{32}$"))
                    .match(auth->getClientSessionId())
                    .hasMatch());
        QVERIFY(auth->getLoginTime().isValid());
        QVERIFY(auth->isClientLogined());

        CBaseInfo *baseInfo = CBaseInfo::instance();
        QCOMPARE(baseInfo->getAllMenuInfo().size(), 2);
        QCOMPARE(baseInfo->getMenuInfo(QStringLiteral("/#/client/navitation")),
                 (MenuInfo {QStringLiteral("Navigation"), QStringLiteral("/#/client/navitation"),
                            true, true}));
        QVERIFY(baseInfo->getOpenOSD());
        QVERIFY(UIPermission::instance()->isBtnShow(kCirclePlay));
        QVERIFY(!UIPermission::instance()->isBtnEnable(QStringLiteral("btnExport")));
        QVERIFY(!UIPermission::instance()->isBtnEnable(QStringLiteral("btnDelete")));
        QVERIFY(UIPermission::instance()->isBtnEnable(QStringLiteral("btnOther")));

        // A later profile change: keys it leaves out are cleared, a new session id is made.
        const QString sessionId = auth->getClientSessionId();
        QVERIFY(run({call("UserInfoModify", QJsonObject {{"name", "Ada L."}, {"id", "u-7"}})}));
        QCOMPARE(auth->getFullName(), QStringLiteral("Ada L."));
        QCOMPARE(auth->getUserId(), QStringLiteral("u-7"));
        QCOMPARE(auth->getToken(), QString());
        QVERIFY(auth->getClientSessionId() != sessionId);
    }

    void menuListDecidesCirclePlay_data()
    {
        QTest::addColumn<QJsonValue>("menuList");
        QTest::addColumn<int>("menusStored");
        QTest::addColumn<bool>("circlePlayShown");

        QTest::newRow("with wheel patrol")
            << QJsonValue(QJsonArray {QJsonObject {{"menuName", "W"}, {"menuPath", kWheelPatrol}}})
            << 1 << true;
        QTest::newRow("without wheel patrol")
            << QJsonValue(QJsonArray {QJsonObject {{"menuName", "A"}, {"menuPath", "/a"}}}) << 1
            << false;
        // No list at all: nothing stored, the permission left as it was (hidden here).
        QTest::newRow("no menu list") << QJsonValue(QJsonValue::Undefined) << 0 << false;
    }

    void menuListDecidesCirclePlay()
    {
        QFETCH(QJsonValue, menuList);
        QFETCH(int, menusStored);
        QFETCH(bool, circlePlayShown);

        UIPermission::instance()->setBtnShowPermission(kCirclePlay, false);
        QJsonObject params {{"userName", "u"}};
        if (!menuList.isUndefined())
            params.insert(QStringLiteral("menuList"), menuList);
        QVERIFY(run({call("NotifyLoginSucc", params)}));
        QCOMPARE(CBaseInfo::instance()->getAllMenuInfo().size(), menusStored);
        QCOMPARE(UIPermission::instance()->isBtnShow(kCirclePlay), circlePlayShown);
    }

    void logoutClearsTheLoginData_data()
    {
        QTest::addColumn<QString>("method");
        QTest::addColumn<QStringList>("dispatched");

        QTest::newRow("NotifyLoginOut") << "NotifyLoginOut" << QStringList {"NotifyLoginOut"};
        QTest::newRow("CloseApp") << "CloseApp" << QStringList {"NotifyLoginOut", "CloseApp"};
    }

    void logoutClearsTheLoginData()
    {
        QFETCH(QString, method);
        QFETCH(QStringList, dispatched);

        QList<WebCallEvent> produced;
        QVERIFY(run({call("NotifyLoginSucc", fullLoginParams()), call(method)}, &produced));
        QStringList methods;
        for (const WebCallEvent &event : produced)
            methods << event.method;
        QCOMPARE(methods, QStringList {"NotifyLoginSucc"} + dispatched);

        AuthCenter *auth = AuthCenter::instance();
        QVERIFY(!auth->isClientLogined());
        QCOMPARE(auth->getUserName(), QString());
        QCOMPARE(auth->getToken(), QString());
        QCOMPARE(auth->getQrToken(), QString());
        QVERIFY(CBaseInfo::instance()->getAllMenuInfo().isEmpty());
        QVERIFY(!CBaseInfo::instance()->getOpenOSD());
        QVERIFY(UIPermission::instance()->isBtnEnable(QStringLiteral("btnExport")));
    }

    void loginUserInfoStoresTheEnvironment_data()
    {
        QTest::addColumn<bool>("localEnvInfo");
        QTest::addColumn<QString>("envInfo");
        QTest::addColumn<QString>("iot");
        QTest::addColumn<QString>("qr");
        QTest::addColumn<QString>("sip");
        QTest::addColumn<QString>("heartbeat");
        QTest::addColumn<QString>("platform");
        QTest::addColumn<QString>("web");

        const QString full = compact(QJsonObject {
            {"iotOpen",
             QJsonObject {{"host", "iot.example"}, {"port", "8443"}, {"scheme", "https"}}},
            {"qrOpen", QJsonObject {{"host", "qr.example"}, {"port", "80"}, {"scheme", "http"}}},
            {"sipServer", QJsonObject {{"host", "sip.example"}, {"port", "5060"}}},
            {"hvHeartbeatServer",
             QJsonObject {{"scheme", "wss"}, {"host", "hb.example"}, {"port", "9001"}}},
            {"hvServer",
             QJsonObject {{"scheme", "https"}, {"host", "hv.example"}, {"port", "443"}}},
            {"hvWeb", "https://web.example"}});
        // The stores before each row.
        const QString iot0 = "base-iot|1|1", qr0 = "base-qr|2|0", sip0 = "base-sip|3";
        const QString hb0 = "http://base-hb:4", platform0 = "http://base-hv:5",
                      web0 = "http://base-web";

        QTest::newRow("every key") << false << full << "iot.example|8443|1"
                                   << "qr.example|80|0"
                                   << "sip.example|5060"
                                   << "wss://hb.example:9001"
                                   << "https://hv.example:443"
                                   << "https://web.example";
        QTest::newRow("port as number reads as 0")
            << false
            << R"({"iotOpen":{"host":"h","port":8443,"scheme":"HTTPS"},"sipServer":{"port":5060}})"
            << "h|0|0" << qr0 << "base-sip|0" << hb0 << platform0 << web0;
        QTest::newRow("missing keys keep their field")
            << false << R"({"iotOpen":{"port":"9"},"qrOpen":{}})"
            << "base-iot|9|1" << qr0 << sip0 << hb0 << platform0 << web0;
        QTest::newRow("heartbeat with only a host")
            << false << R"({"hvHeartbeatServer":{"host":"hb"}})" << iot0 << qr0 << sip0
            << "://hb:" << platform0 << web0;
        QTest::newRow("server without port")
            << false << R"({"hvServer":{"scheme":"https","host":"p"}})" << iot0 << qr0 << sip0
            << hb0 << "https://p:0" << web0;
        QTest::newRow("not JSON") << false << "iotOpen=1" << iot0 << qr0 << sip0 << hb0 << platform0
                                  << web0;
        QTest::newRow("JSON but not an object")
            << false << R"([{"hvWeb":"x"}])" << iot0 << qr0 << sip0 << hb0 << platform0 << web0;
        QTest::newRow("local environment wins")
            << true << full << iot0 << qr0 << sip0 << hb0 << platform0 << web0;
    }

    void loginUserInfoStoresTheEnvironment()
    {
        QFETCH(bool, localEnvInfo);
        QFETCH(QString, envInfo);

        CLocalConfig *local = CLocalConfig::instance();
        QVERIFY(local->setComIOTOpenInfo({QStringLiteral("base-iot"), 1, true}));
        QVERIFY(local->setQROpenInfo({QStringLiteral("base-qr"), 2, false}));
        QVERIFY(local->setVideoIntercomSetting({QStringLiteral("base-sip"), 3}));
        QVERIFY(local->setHeartBeartUrl(QStringLiteral("http://base-hb:4")));
        QVERIFY(local->setPlatformUrl(QStringLiteral("http://base-hv:5")));
        QVERIFY(local->setWebUrl(QStringLiteral("http://base-web")));
        setLocalEnvInfoEnable(localEnvInfo);

        QVERIFY(run({call("LoginUserInfo", QJsonObject {{"envInfo", envInfo}})}));
        QTEST(endpointText(local->getComIOTOpenInfo()), "iot");
        QTEST(endpointText(local->getQROpenInfo()), "qr");
        QTEST(intercomText(local->getVideoIntercomSetting()), "sip");
        QTEST(local->getHeartBeartUrl(), "heartbeat");
        QTEST(local->getPlatformUrl(), "platform");
        QTEST(local->getWebUrl(), "web");
    }

    void loginUserInfoStoresFormAndManual_data()
    {
        QTest::addColumn<QJsonObject>("params");
        QTest::addColumn<QString>("manual");
        QTest::addColumn<QString>("userName");
        QTest::addColumn<QString>("password");

        QTest::newRow("manual below the platform")
            << QJsonObject {{"instructionsUrl", "/help/manual.pdf"},
                            {"userName", "ada"},
                            {"password", "s3cret"}}
            << "http://platform.local:8080/help/manual.pdf"
            << "ada"
            << "s3cret";
        QTest::newRow("no manual path: the web dialog address")
            << QJsonObject {{"instructionsUrl", ""}} << "http://webdlg.local/dlg"
            << "before"
            << "before-pw";
        QTest::newRow("platform of the same call")
            << QJsonObject {{"instructionsUrl", "/m.pdf"},
                            {"envInfo",
                             R"({"hvServer":{"scheme":"https","host":"new","port":"1"}})"}}
            << "https://new:1/m.pdf"
            << "before"
            << "before-pw";
    }

    void loginUserInfoStoresFormAndManual()
    {
        QFETCH(QJsonObject, params);

        CLocalConfig *local = CLocalConfig::instance();
        QVERIFY(local->setPlatformUrl(QStringLiteral("http://platform.local:8080")));
        QSettings file(local->filePath(), QSettings::IniFormat);
        file.setValue(QStringLiteral("Web/WebDlgUrl"), QStringLiteral("http://webdlg.local/dlg"));
        file.sync();
        AuthCenter::instance()->setUserName(QStringLiteral("before"));
        AuthCenter::instance()->setUserPassword(QStringLiteral("before-pw"));
        // Text the local 8-bit encoding may not hold is stored as the page sent it.
        params.insert(QStringLiteral("productName"), QStringLiteral("Köpmannen 店铺 🏪"));
        params.insert(QStringLiteral("baseProductType"), 3);

        QVERIFY(run({call("LoginUserInfo", params)}));
        QTEST(CBaseInfo::instance()->getInstructionUrl(), "manual");
        QTEST(AuthCenter::instance()->getUserName(), "userName");
        QTEST(AuthCenter::instance()->getUserPassword(), "password");
        QCOMPARE(CBaseInfo::instance()->getProductName(), QStringLiteral("Köpmannen 店铺 🏪"));
        QCOMPARE(CBaseInfo::instance()->getProductType(), 3);
    }

    void saveStoreNameKeepsTheLogoPath()
    {
        QVERIFY(CConfig::instance()->setLogoInfo(
            {QStringLiteral("/logo/old.png"), QStringLiteral("Old")}));
        QVERIFY(run({call("SaveStoreName", QJsonObject {{"storeName", "Filiale Süd 店铺 🏪"}})}));
        QCOMPARE(
            CConfig::instance()->getLogoInfo(),
            (LogoInfo {QStringLiteral("/logo/old.png"), QStringLiteral("Filiale Süd 店铺 🏪")}));
    }

    void openUrlOpensOnlyWebAndMailAddresses()
    {
        UrlOpenRecorder recorder;
        const QStringList schemes {"http", "https", "mailto", "file", "javascript", "ftp", "smb"};
        for (const QString &scheme : schemes)
            QDesktopServices::setUrlHandler(scheme, &recorder, "open");

        QList<QJsonObject> calls;
        for (const char *url :
             {"file:///etc/passwd", "javascript:alert(1)", "ftp://files.example/x", "smb://share/x",
              "", "not a url at all", "mailto:ada@example.com", "https://example.com/a b",
              "http://example.com/last"})
            calls << call("OpenUrl", QJsonObject {{"url", url}});
        QList<WebCallEvent> produced;
        QVERIFY(run(calls, &produced));
        QVERIFY(produced.isEmpty());
        // The openings run on this thread, in order: once the last is there, all are.
        QTRY_VERIFY(recorder.opened.contains(QStringLiteral("http://example.com/last")));
        QCOMPARE(recorder.opened,
                 (QStringList {"mailto:ada@example.com", "https://example.com/a%20b",
                               "http://example.com/last"}));

        for (const QString &scheme : schemes)
            QDesktopServices::unsetUrlHandler(scheme);
    }

    // A call that stores much is finished, and its message dispatched, before the next one.
    void callsAreHandledInPushOrder()
    {
        QJsonObject bigLogin = fullLoginParams();
        QJsonArray menus;
        for (int i = 0; i < 3000; ++i)
            menus.append(QJsonObject {{"menuName", QStringLiteral("M%1").arg(i)},
                                      {"menuPath", QStringLiteral("/m/%1").arg(i)}});
        bigLogin.insert(QStringLiteral("menuList"), menus);

        QList<WebCallEvent> produced;
        QVERIFY(run({call("NotifyLoginSucc", bigLogin), call("GetClientInfo"),
                     call("NotifySwitchMoudle", QJsonObject {{"menuPath", "/m/7"}}),
                     call("CloseApp"), call("MinSize")},
                    &produced));
        QStringList order;
        for (const WebCallEvent &event : produced)
            order << QStringLiteral("%1:%2").arg(event.method).arg(event.menusStored);
        QCOMPARE(order,
                 (QStringList {"NotifyLoginSucc:3000", "ReplyClientInfo:3000",
                               "NotifySwitchMenuBtn:3000", "NotifyLoginOut:0", "CloseApp:0",
                               "MinSize:0"}));
    }

    // Typed messages nobody can take are deleted (a sanitizer build shows any leak), and a
    // queue destroyed with calls still waiting releases them.
    void undeliverableMessagesAreDeleted()
    {
        m_queue->setViewManager(nullptr);
        QList<WebCallEvent> produced;
        QVERIFY(run({call("FullScreen", QJsonObject {{"bFullScreen", true}}),
                     call("NotifySwitchMoudle", QJsonObject {{"menuPath", "/a"}}),
                     call("NotifyLoginSucc", QJsonObject {{"logoName", "L"}}), call("CloseApp"),
                     call("SomethingNew", QJsonObject {{"a", 1}})},
                    &produced));
        QVERIFY(produced.isEmpty());

        auto queue = std::make_unique<CWebMessageQueue>();
        for (int i = 0; i < 2000; ++i)
            queue->pushWebMsg(call("SomethingNew", QJsonObject {{"i", i}}));
        queue.reset();
    }
};

QTEST_MAIN(tst_WebMessageQueue)
#include "tst_webmessagequeue.moc"
