#include "DemoServiceProcess.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QtTest>

#include <functional>

namespace {

// Stands in for the client's bridge: records every call text, answers nothing.
const char *const kClientStandIn = "window.ClientObject = { calls: [], RPCCall: function (text) {"
                                   " this.calls.push(text); return 0; } };";

const QString kHome = QStringLiteral("/client/firstPagePc");
const QString kNavigation = QStringLiteral("/#/client/navitation");
const QString kAlarm = QStringLiteral("/alarm/#/client/infoCenter");

// Plugin-table paths of the client, any of which the menu must offer.
const QStringList kPluginPaths {"/basic/#/client/videoPlayBack",
                                "/evaluation/#/client/videoShop",
                                "/calen/#/client/accessControl",
                                "/face/#/client/realTimeCompare",
                                "/device/#/client/cashRegister",
                                "/device/#/client/logisticsTrace",
                                "/device/#/client/videoTrace",
                                "/client/chain/client/licenseVideo",
                                "/client/chain/client/cashierRecord",
                                "/client/VideoIntercom",
                                "/client/MsgCenter",
                                "/client/ComExport",
                                "/device/#/client/decompilerManage",
                                "/device/#/client/videoWall"};

QString jsString(const QString &text)
{
    const QByteArray array = QJsonDocument(QJsonArray {text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

QString compact(const QJsonObject &object)
{
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

// A call as the client would see it: exactly "method" and "params".
QJsonObject call(const QString &method, const QJsonObject &params = QJsonObject())
{
    return QJsonObject {{"method", method}, {"params", params}};
}

QString typeOf(const QJsonValue &value)
{
    switch (value.type()) {
    case QJsonValue::Bool:
        return QStringLiteral("bool");
    case QJsonValue::Double:
        return QStringLiteral("number");
    case QJsonValue::String:
        return QStringLiteral("string");
    case QJsonValue::Array:
        return QStringLiteral("array");
    case QJsonValue::Object:
        return QStringLiteral("object");
    default:
        return QStringLiteral("other");
    }
}

// The keys of object and their JSON types, sorted, as "key:type" texts.
QStringList shape(const QJsonObject &object)
{
    QStringList keys;
    for (auto it = object.constBegin(); it != object.constEnd(); ++it)
        keys << it.key() + QLatin1Char(':') + typeOf(it.value());
    keys.sort();
    return keys;
}

} // namespace

// Records what the page writes to its console, as Chromium reports it.
class RecordingPage : public QWebEnginePage
{
    Q_OBJECT

public:
    explicit RecordingPage(QWebEngineProfile *profile, QObject *parent = nullptr)
        : QWebEnginePage(profile, parent)
    { }

    QStringList errors;
    QStringList messages;

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message,
                                  int lineNumber, const QString &sourceId) override
    {
        const QString line = QStringLiteral("%1:%2: %3").arg(sourceId).arg(lineNumber).arg(message);
        messages << line;
        if (level == ErrorMessageLevel)
            errors << line;
    }
};

class tst_DemoWeb : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void pagesLoadWithoutErrors_data();
    void pagesLoadWithoutErrors();
    void loginCalls();
    void wrongPasswordSendsNothing();
    void everyModuleShows();
    void controls_data();
    void controls();
    void userInfoModify();
    void clientNotifications_data();
    void clientNotifications();
    void settingsShowAndSaveTheReply();
    void messageCentre();

private:
    bool load(const QString &path, bool withClient = true);
    bool spinUntil(const std::function<bool()> &done, int timeoutMs);
    QVariant evaluate(const QString &script);
    bool waitFor(const QString &condition, int timeoutMs = 5000);
    QList<QJsonObject> calls();
    bool waitForCalls(int count);
    void notify(const QString &text);
    bool logIn(const QString &user = QStringLiteral("alice"));
    int getStatus(const QUrl &url, const QByteArray &authorization = QByteArray());

    DemoServiceProcess m_service;
    QNetworkAccessManager m_nam;
    QWebEngineProfile *m_profile = nullptr;
    RecordingPage *m_page = nullptr;
};

void tst_DemoWeb::initTestCase()
{
    QVERIFY2(m_service.start(), m_service.errorOutput().constData());
    m_profile = new QWebEngineProfile(this); // off the record: no storage between runs
    m_page = new RecordingPage(m_profile, this);
}

void tst_DemoWeb::cleanupTestCase()
{
    delete m_page;
    m_page = nullptr;
}

bool tst_DemoWeb::load(const QString &path, bool withClient)
{
    m_page->scripts().clear();
    if (withClient) {
        QWebEngineScript standIn;
        standIn.setName(QStringLiteral("ClientObjectStandIn"));
        standIn.setInjectionPoint(QWebEngineScript::DocumentCreation);
        standIn.setWorldId(QWebEngineScript::MainWorld);
        standIn.setSourceCode(QString::fromLatin1(kClientStandIn));
        m_page->scripts().insert(standIn);
    }
    m_page->errors.clear();
    m_page->messages.clear();
    QSignalSpy loaded(m_page, &QWebEnginePage::loadFinished);
    m_page->load(m_service.url(path));
    return loaded.wait(15000) && loaded.first().first().toBool();
}

// The browser does much of its work on this thread through the event loop, so waiting keeps
// the loop running instead of sleeping between checks.
bool tst_DemoWeb::spinUntil(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.hasExpired(timeoutMs))
            return false;
        QEventLoop loop;
        QTimer::singleShot(2, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

QVariant tst_DemoWeb::evaluate(const QString &script)
{
    bool done = false;
    QVariant result;
    m_page->runJavaScript(script, [&](const QVariant &value) {
        result = value;
        done = true;
    });
    if (!spinUntil([&] { return done; }, 5000))
        return QVariant();
    return result;
}

bool tst_DemoWeb::waitFor(const QString &condition, int timeoutMs)
{
    return spinUntil([&] { return evaluate(condition).toBool(); }, timeoutMs);
}

QList<QJsonObject> tst_DemoWeb::calls()
{
    const QJsonArray texts = QJsonDocument::fromJson(
                                 evaluate("JSON.stringify(ClientObject.calls)").toString().toUtf8())
                                 .array();
    QList<QJsonObject> result;
    for (const QJsonValue &text : texts) {
        // Every call the client receives must be a JSON object text.
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(text.toString().toUtf8(), &error);
        if (error.error != QJsonParseError::NoError || !document.isObject())
            result << QJsonObject {{"notAnObject", text}};
        else
            result << document.object();
    }
    return result;
}

bool tst_DemoWeb::waitForCalls(int count)
{
    return waitFor(QStringLiteral("ClientObject.calls.length >= %1").arg(count));
}

// Delivers a notification the way the client does: RPCNotify with the text as a JS string.
void tst_DemoWeb::notify(const QString &text)
{
    evaluate(QStringLiteral("RPCNotify(%1); true").arg(jsString(text)));
}

bool tst_DemoWeb::logIn(const QString &user)
{
    if (!load(QStringLiteral("/index.html")) || !waitForCalls(1))
        return false;
    evaluate(QStringLiteral("document.getElementById('userName').value = %1;"
                            "document.getElementById('password').value = 'demo';"
                            "document.getElementById('loginButton').click(); true")
                 .arg(jsString(user)));
    return waitForCalls(4);
}

int tst_DemoWeb::getStatus(const QUrl &url, const QByteArray &authorization)
{
    QNetworkRequest request(url);
    if (!authorization.isEmpty())
        request.setRawHeader("Authorization", authorization);
    QNetworkReply *reply = m_nam.get(request);
    QSignalSpy finished(reply, &QNetworkReply::finished);
    if (!reply->isFinished())
        finished.wait(10000);
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    reply->deleteLater();
    return status;
}

void tst_DemoWeb::pagesLoadWithoutErrors_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("withClient");
    QTest::addColumn<QString>("ready"); // true once the page's script has run

    QTest::newRow("application") << "/index.html" << true << "ClientObject.calls.length === 1";
    QTest::newRow("application in a plain browser")
        << "/index.html" << false << "typeof RPCNotify === 'function' && !KorvelClient.hasClient()";
    QTest::newRow("message centre")
        << "/msgcenter.html" << true << "document.querySelectorAll('.message-item').length > 0";
    QTest::newRow("message centre in a plain browser")
        << "/msgcenter.html" << false << "document.querySelectorAll('.message-item').length > 0";
    QTest::newRow("manual") << "/manual/index.html" << false << "document.title.length > 0";
}

void tst_DemoWeb::pagesLoadWithoutErrors()
{
    QFETCH(QString, path);
    QFETCH(bool, withClient);
    QFETCH(QString, ready);

    QVERIFY(load(path, withClient));
    QVERIFY(waitFor(ready));
    QVERIFY2(m_page->errors.isEmpty(), qPrintable(m_page->errors.join('\n')));
    if (!withClient && path == QLatin1String("/index.html")) {
        // Without a client the calls are logged instead.
        QVERIFY(
            m_page->messages.join('\n').contains("no client; RPCCall {\"method\":\"WebInited\""));
    }
}

// The login sends exactly the calls the client stores, in order, with the keys and JSON types
// it reads, and the tokens it forwards open the service's session.
void tst_DemoWeb::loginCalls()
{
    QVERIFY(logIn());
    QVERIFY(waitFor("!document.getElementById('appView').hidden"));
    const QList<QJsonObject> sent = calls();
    QCOMPARE(sent.size(), 4);
    for (const QJsonObject &c : sent)
        QCOMPARE(c.keys(), QStringList({"method", "params"}));
    QCOMPARE(sent.at(0), call("WebInited"));
    QCOMPARE(sent.at(1).value("method"), QJsonValue("LoginUserInfo"));
    QCOMPARE(sent.at(2).value("method"), QJsonValue("NotifyLoginSucc"));
    QCOMPARE(sent.at(3), call("NotifySwitchMoudle", {{"menuPath", kHome}}));

    const QJsonObject info = sent.at(1).value("params").toObject();
    QCOMPARE(shape(info),
             QStringList({"baseProductType:number", "envInfo:string", "instructionsUrl:string",
                          "password:string", "productName:string", "userName:string"}));
    QCOMPARE(info.value("userName"), QJsonValue("alice"));
    QCOMPARE(info.value("password"), QJsonValue("demo"));
    QVERIFY(info.value("instructionsUrl").toString().startsWith('/'));
    QCOMPARE(getStatus(m_service.url(info.value("instructionsUrl").toString())), 200);
    // envInfo is a JSON object in a string; its ports are strings too.
    const QJsonObject env
        = QJsonDocument::fromJson(info.value("envInfo").toString().toUtf8()).object();
    for (const char *key : {"iotOpen", "qrOpen", "hvServer", "hvHeartbeatServer"}) {
        QCOMPARE(shape(env.value(QLatin1String(key)).toObject()),
                 QStringList({"host:string", "port:string", "scheme:string"}));
    }
    QCOMPARE(shape(env.value("sipServer").toObject()), QStringList({"host:string", "port:string"}));
    QCOMPARE(env.value("hvServer").toObject().value("port"),
             QJsonValue(QString::number(m_service.baseUrl().port())));
    QVERIFY(env.value("hvWeb").isString());

    const QJsonObject login = sent.at(2).value("params").toObject();
    QCOMPARE(
        shape(login),
        QStringList({"accountType:number", "companyId:number", "functionConfig:object", "id:number",
                     "logoImagePath:string", "logoName:string", "menuList:array", "name:string",
                     "noPossessPcBtnList:array", "phone:string", "qrToken:string", "salt:string",
                     "token:string", "userName:string", "userPhoto:string", "userType:string"}));
    QCOMPARE(login.value("userName"), QJsonValue("alice"));
    QCOMPARE(shape(login.value("functionConfig").toObject()), QStringList({"waterMark:number"}));
    const QByteArray token = login.value("token").toString().toLatin1();
    QVERIFY(!token.isEmpty());
    QCOMPARE(getStatus(m_service.url(QStringLiteral("/session/check")), token), 200);
    QCOMPARE(getStatus(QUrl(login.value("logoImagePath").toString())), 200);
    QCOMPARE(getStatus(QUrl(login.value("userPhoto").toString())), 200);

    const QJsonArray menus = login.value("menuList").toArray();
    QVERIFY(menus.size() >= 8);
    QStringList paths;
    for (const QJsonValue &menu : menus) {
        QCOMPARE(shape(menu.toObject()),
                 QStringList({"menuName:string", "menuNavigation:bool", "menuPath:string"}));
        paths << menu.toObject().value("menuPath").toString();
    }
    QVERIFY(paths.contains(kNavigation));
    QVERIFY(paths.contains(kHome));
    QVERIFY(std::any_of(paths.cbegin(), paths.cend(),
                        [](const QString &p) { return kPluginPaths.contains(p); }));
    QCOMPARE(paths.removeDuplicates(), 0);
    QVERIFY2(m_page->errors.isEmpty(), qPrintable(m_page->errors.join('\n')));
}

void tst_DemoWeb::wrongPasswordSendsNothing()
{
    QVERIFY(load(QStringLiteral("/index.html")));
    QVERIFY(waitForCalls(1));
    evaluate("document.getElementById('userName').value = 'alice';"
             "document.getElementById('password').value = 'secret';"
             "document.getElementById('loginButton').click(); true");
    QVERIFY(waitFor("!document.getElementById('loginError').hidden"));
    QCOMPARE(calls(), QList<QJsonObject>({call("WebInited")}));
    QVERIFY(evaluate("document.getElementById('appView').hidden").toBool());
    QVERIFY2(m_page->errors.isEmpty(), qPrintable(m_page->errors.join('\n')));
}

// The client's menu clicks show every module of the menu, and the page tells the client which
// module it shows, after asking for the module's plugins where it has an app-store id.
void tst_DemoWeb::everyModuleShows()
{
    QVERIFY(logIn());
    const QJsonArray modules
        = QJsonDocument::fromJson(evaluate("JSON.stringify(DemoModules.list.concat([DemoModules."
                                           "byPath('/#/client/showInfo')]))")
                                      .toString()
                                      .toUtf8())
              .array();
    QVERIFY(modules.size() >= 8);
    for (const QJsonValue &value : modules) {
        const QJsonObject module = value.toObject();
        const QString path = module.value("menuPath").toString();
        const int before = calls().size();
        notify(compact({{"method", "MenuClicked"},
                        {"params", QJsonObject {{"menuCode", path}, {"menuPath", path}}},
                        {"result", true},
                        {"async", false},
                        {"id", before}}));
        QVERIFY2(waitFor(QStringLiteral("document.getElementById('moduleTitle').textContent === %1")
                             .arg(jsString(module.value("menuName").toString()))),
                 qPrintable(path));
        QList<QJsonObject> expected;
        if (module.contains("veskId")) {
            expected << call("loadAppPluginsNotify",
                             {{"veskId", module.value("veskId")}, {"menuPath", path}});
        }
        expected << call("NotifySwitchMoudle", {{"menuPath", path}});
        QVERIFY(waitForCalls(before + expected.size()));
        const QList<QJsonObject> sent = calls().mid(before);
        QVERIFY2(sent.mid(0, expected.size()) == expected, qPrintable(path));
    }
    QVERIFY2(m_page->errors.isEmpty(), qPrintable(m_page->errors.join('\n')));
}

void tst_DemoWeb::controls_data()
{
    QTest::addColumn<QString>("module");
    QTest::addColumn<QString>("control"); // CSS selector of what is clicked
    QTest::addColumn<QJsonObject>("expected");

    const QString button = QStringLiteral("[data-action=\"%1\"]");
    QTest::newRow("notice") << kHome << button.arg("notice")
                            << call("showPublicMsgDialog",
                                    {{"title", "Maintenance tonight"},
                                     {"content",
                                      "The service is maintained from 23:00 to "
                                      "23:30. Video stays available."}});
    QTest::newRow("guide") << kHome << button.arg("guide") << call("ShowUserGuide");
    QTest::newRow("quit guide") << kHome << button.arg("quitGuide") << call("QuitUserGuide");
    QTest::newRow("full screen") << kHome << button.arg("fullScreen")
                                 << call("FullScreen", {{"bFullScreen", true}});
    QTest::newRow("manual") << kHome << button.arg("manual")
                            << call("OpenUrl",
                                    {{"url", m_service.url("/manual/index.html").toString()}});
    QTest::newRow("client info") << kHome << button.arg("clientInfo") << call("GetClientInfo");
    QTest::newRow("minimise") << kHome << button.arg("minimise") << call("MinSize");
    QTest::newRow("logout") << kHome << button.arg("logout") << call("NotifyLoginOut");
    QTest::newRow("exit") << kHome << button.arg("exit") << call("CloseApp");
    QTest::newRow("new message") << kAlarm << button.arg("newMessage") << call("NewMessage");
    QTest::newRow("close video shop")
        << "/evaluation/#/client/videoShop" << button.arg("closeVideoShop")
        << call("CloseVideoShop",
                {{"menuCode", "videoShop"}, {"menuPath", "/evaluation/#/client/videoShop"}});
    QTest::newRow("plugins again")
        << "/device/#/client/videoWall" << button.arg("reloadPlugins")
        << call("loadAppPluginsNotify",
                {{"veskId", "videowall"}, {"menuPath", "/device/#/client/videoWall"}});
}

// Each control sends its call with the keys and JSON types the client reads.
void tst_DemoWeb::controls()
{
    QFETCH(QString, module);
    QFETCH(QString, control);
    QFETCH(QJsonObject, expected);

    QVERIFY(logIn());
    notify(compact({{"method", "MenuClicked"},
                    {"params", QJsonObject {{"menuCode", module}, {"menuPath", module}}}}));
    QVERIFY(waitFor(QStringLiteral("document.querySelector(%1) !== null").arg(jsString(control))));
    const int before = calls().size();
    evaluate(QStringLiteral("document.querySelector(%1).click(); true").arg(jsString(control)));
    QVERIFY(waitForCalls(before + 1));
    QCOMPARE(calls().at(before), expected);
    QVERIFY2(m_page->errors.isEmpty(), qPrintable(m_page->errors.join('\n')));
}

// The account page sends every user key again, with the edited values, so the client's
// stored session (token included) stays whole.
void tst_DemoWeb::userInfoModify()
{
    QVERIFY(logIn());
    const QJsonObject login = calls().at(2).value("params").toObject();
    notify(compact(
        {{"method", "MenuClicked"},
         {"params",
          QJsonObject {{"menuCode", "/#/client/showInfo"}, {"menuPath", "/#/client/showInfo"}}}}));
    QVERIFY(waitFor("document.querySelector('input[name=phone]') !== null"));
    const int before = calls().size();
    evaluate("document.querySelector('input[name=phone]').value = '+41 11 222 33 44';"
             "document.querySelector('.settings button[type=submit]').click(); true");
    QVERIFY(waitForCalls(before + 1));
    const QJsonObject sent = calls().at(before);
    QCOMPARE(sent.value("method"), QJsonValue("UserInfoModify"));
    QJsonObject expected;
    for (const char *key : {"userName", "name", "userType", "userPhoto", "accountType", "phone",
                            "companyId", "id", "token", "qrToken", "salt"})
        expected.insert(QLatin1String(key), login.value(QLatin1String(key)));
    expected.insert("phone", "+41 11 222 33 44");
    QCOMPARE(sent.value("params").toObject(), expected);
    QVERIFY2(m_page->errors.isEmpty(), qPrintable(m_page->errors.join('\n')));
}

void tst_DemoWeb::clientNotifications_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("condition");
    QTest::addColumn<QList<QJsonObject>>("expected"); // calls the page makes in answer

    auto envelope = [](const QString &method, const QJsonObject &params) {
        return compact({{"method", method},
                        {"params", params},
                        {"result", true},
                        {"async", false},
                        {"id", 7}});
    };
    QTest::newRow("FullScreen") << envelope("FullScreen", {{"bFullScreen", true}})
                                << "document.body.classList.contains('full-screen')"
                                << QList<QJsonObject>();
    QTest::newRow("FullScreen as indented JSON") << QString::fromUtf8(
        QJsonDocument(QJsonObject {{"method", "FullScreen"},
                                   {"params", QJsonObject {{"bFullScreen", true}}},
                                   {"result", true},
                                   {"async", false},
                                   {"id", 8}})
            .toJson(QJsonDocument::Indented)) << "document.body.classList.contains('full-screen')"
                                                 << QList<QJsonObject>();
    QTest::newRow("NotifyMenuNumUpdate")
        << envelope("NotifyMenuNumUpdate",
                    {{"visibleMenuPath", QJsonArray {kNavigation, kHome, kAlarm}}})
        << "document.getElementById('openModules').textContent === 'Open modules: 3'"
        << QList<QJsonObject>();
    QTest::newRow("SendMessageToWeb")
        << envelope("SendMessageToWeb", {{"type", 3}, {"id", "m1003"}})
        << "document.getElementById('moduleBody').textContent.indexOf('\"m1003\" of type 3') >= 0"
        << QList<QJsonObject> {call("NotifySwitchMoudle", {{"menuPath", kAlarm}})};
    QTest::newRow("ReplyClientInfo")
        << envelope("ReplyClientInfo",
                    {{"macAddr", "00:1A:2B:3C:4D:5E"},
                     {"version", "V1.000.0000001.3.R"},
                     {"sysVersion", "Debian 12"},
                     {"sysBit", 64}})
        << "document.getElementById('clientInfo').textContent.indexOf('V1.000.0000001.3.R') >= 0"
        << QList<QJsonObject>();
    QTest::newRow("UserGuideResult continue")
        << envelope("UserGuideResult", {{"name", "about"}, {"result", true}})
        << "!document.getElementById('guideOverlay').hidden" << QList<QJsonObject>();
    QTest::newRow("UserGuideResult skip")
        << envelope("UserGuideResult", {{"name", "about"}, {"result", false}})
        << "document.getElementById('guideOverlay').hidden"
        << QList<QJsonObject> {call("QuitUserGuide")};
    QTest::newRow("ExitApp") << envelope("ExitApp", {})
                             << "!document.getElementById('exitOverlay').hidden"
                             << QList<QJsonObject>();
    QTest::newRow("Notify401") << envelope("Notify401", {})
                               << "!document.getElementById('loginView').hidden"
                               << QList<QJsonObject> {call("NotifyLoginOut")};
    QTest::newRow("not JSON is ignored")
        << QStringLiteral("{method:") << "true" << QList<QJsonObject>();
}

// What the page does with each notification, and the calls it answers with.
void tst_DemoWeb::clientNotifications()
{
    QFETCH(QString, text);
    QFETCH(QString, condition);
    QFETCH(QList<QJsonObject>, expected);

    QVERIFY(logIn());
    const int before = calls().size();
    notify(text);
    QVERIFY(waitFor(condition));
    QVERIFY(waitForCalls(before + expected.size()));
    QCOMPARE(calls().mid(before), expected);
    QVERIFY2(m_page->errors.isEmpty(), qPrintable(m_page->errors.join('\n')));
}

// The settings page asks for the settings, shows the reply, and saves it back with the same
// keys and JSON types.
void tst_DemoWeb::settingsShowAndSaveTheReply()
{
    QVERIFY(logIn());
    const QString settingsPath = QStringLiteral("/client/localSettings");
    notify(compact(
        {{"method", "MenuClicked"},
         {"params", QJsonObject {{"menuCode", settingsPath}, {"menuPath", settingsPath}}}}));
    QVERIFY(waitForCalls(6));
    QCOMPARE(calls().at(5), call("LocalConfig", {{"isRead", true}}));

    const QJsonObject reply {{"videoPath", "/home/alice/Videos"},
                             {"imgPath", "/home/alice/Pictures"},
                             {"isOnDev", true},
                             {"isOnChn", false},
                             {"isOnRate", true},
                             {"isOnIvs", false},
                             {"recordType", 1},
                             {"isOpenBallSwitch", true},
                             {"decodeType", 1},
                             {"talkType", 2},
                             {"streamType", 1}};
    notify(compact({{"method", "GetLocalConfig"},
                    {"params", reply},
                    {"result", true},
                    {"async", false},
                    {"id", 3}}));
    QVERIFY(
        waitFor("document.querySelector('input[name=videoPath]').value === '/home/alice/Videos'"));
    evaluate("document.querySelector('.settings button[type=submit]').click(); true");
    QVERIFY(waitForCalls(7));
    QJsonObject saved = reply;
    saved.insert("isRead", false);
    QCOMPARE(calls().at(6), call("LocalConfig", saved));
    QVERIFY2(m_page->errors.isEmpty(), qPrintable(m_page->errors.join('\n')));
}

// The message centre follows "ToRoute", numbers its own calls, and empties at logout.
void tst_DemoWeb::messageCentre()
{
    QVERIFY(load(QStringLiteral("/msgcenter.html")));
    const QString route = QStringLiteral("/alarm/#/client/msgCenter/msgList");
    notify(compact({{"method", "ToRoute"},
                    {"params", QJsonObject {{"route", route}}},
                    {"result", true},
                    {"async", false},
                    {"id", 1}}));
    QVERIFY(waitFor(QStringLiteral("document.getElementById('route').textContent === %1")
                        .arg(jsString(route))));
    QCOMPARE(calls().size(), 0);

    evaluate("document.querySelectorAll('.message-item')[0].click();"
             "document.querySelectorAll('.message-item')[2].click(); true");
    QVERIFY(waitForCalls(2));
    const QList<QJsonObject> sent = calls();
    QCOMPARE(sent.at(0),
             QJsonObject({{"method", "MessageToClient"},
                          {"params", QJsonObject {{"type", 1}, {"id", "m1001"}}},
                          {"id", 1},
                          {"async", false}}));
    QCOMPARE(sent.at(1).value("id"), QJsonValue(2));
    QCOMPARE(sent.at(1).value("params"), QJsonValue(QJsonObject {{"type", 3}, {"id", "m1003"}}));

    notify(compact(
        {{"method", "ReplyLoginOutSuccess"}, {"result", true}, {"async", false}, {"id", 2}}));
    QVERIFY(waitFor("!document.getElementById('loggedOut').hidden"
                    " && document.querySelectorAll('.message-item').length === 0"));
    QVERIFY2(m_page->errors.isEmpty(), qPrintable(m_page->errors.join('\n')));
}

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    tst_DemoWeb test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_demoweb.moc"
