#include "RecordingBusHost.h"

#include "Web/CWebBaseMsg.h"
#include "Web/FullScreenMsg.h"
#include "Web/LoginSuccessMsg.h"
#include "Web/MenuMsg.h"
#include "Web/WebNotifyBuilder.h"

#include "Ostmark/CBaseInfo.h"
#include "Ostmark/CStorePaths.h"

#include <QJsonArray>
#include <QSet>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <thread>

namespace Web {

// Stands in for the web view's hop to the GUI thread: a signal whose signature spells the
// type without its namespace, as the view's does.
class QueuedMsgCarrier : public QObject
{
    Q_OBJECT

signals:
    void sgnRPCCall(CWebBaseMsg *msg);

public slots:
    void onRPCCall(CWebBaseMsg *msg) { received.append(msg); }

public:
    QList<CWebBaseMsg *> received;
};

} // namespace Web

using namespace Web;

class tst_WebMessageModel : public QObject
{
    Q_OBJECT

    QTemporaryDir m_programDir;
    QTemporaryDir m_userDir;
    std::unique_ptr<RecordingBusHost> m_host;

    static QSet<QString> keysOf(const QJsonObject &object)
    {
        const QStringList keys = object.keys();
        return QSet<QString>(keys.begin(), keys.end());
    }

    void sendWithBuilder(const QString &builder)
    {
        if (builder == QLatin1String("sendMessageToWeb"))
            sendMessageToWeb(3, QStringLiteral("a1b2"));
        else if (builder == QLatin1String("notifyExitApp"))
            notifyExitApp();
        else if (builder == QLatin1String("notifyFullScreen"))
            notifyFullScreen(true);
        else if (builder == QLatin1String("notify401"))
            notify401();
        else if (builder == QLatin1String("notifyMenuClicked"))
            notifyMenuClicked(QStringLiteral("/client/firstPagePc"),
                              QStringLiteral("/#/client/navitation"));
        else if (builder == QLatin1String("notifyMenuNumUpdate"))
            notifyMenuNumUpdate(QJsonArray {QStringLiteral("/a"), QStringLiteral("/b")});
        else if (builder == QLatin1String("replyClientInfo"))
            replyClientInfo();
        else
            QFAIL(qPrintable(builder));
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_programDir.isValid() && m_userDir.isValid());
        ConfigInfo::CStorePaths::setProgramFolder(m_programDir.path());
        ConfigInfo::CStorePaths::setUserStoreFolder(m_userDir.path());
        QSettings info(m_programDir.filePath(QStringLiteral("ClientInfo.ini")),
                       QSettings::IniFormat);
        info.setValue(QStringLiteral("CLIENTINFO/Version"), QStringLiteral("V2.000.0000009.1.R"));
        info.sync();
        m_host = std::make_unique<RecordingBusHost>();
    }

    void cleanupTestCase()
    {
        m_host.reset();
        ConfigInfo::CStorePaths::setProgramFolder(QString());
        ConfigInfo::CStorePaths::setUserStoreFolder(QString());
    }

    void init() { m_host->clear(); }

    // Must stay the first test to send anything: the counter is process-wide.
    void firstNotificationsOfTheProcessCountFromOne()
    {
        notifyExitApp();
        notify401();
        const QList<QJsonObject> sent = m_host->notifications();
        QCOMPARE(sent.size(), 2);
        QCOMPARE(sent.at(0).value(QStringLiteral("id")).toVariant(), QVariant(1));
        QCOMPARE(sent.at(1).value(QStringLiteral("id")).toVariant(), QVariant(2));
        for (const QJsonObject &object : sent) {
            QCOMPARE(keysOf(object), (QSet<QString> {"method", "params", "result", "async", "id"}));
            QCOMPARE(object.value(QStringLiteral("result")), QJsonValue(true));
            QCOMPARE(object.value(QStringLiteral("async")), QJsonValue(false));
            QCOMPARE(object.value(QStringLiteral("params")), QJsonValue(QJsonObject()));
        }
        QCOMPARE(sent.at(0).value(QStringLiteral("method")).toString(), QStringLiteral("ExitApp"));
        QCOMPARE(sent.at(1).value(QStringLiteral("method")).toString(),
                 QStringLiteral("Notify401"));
    }

    void buildersSendOneEnvelopeToMain_data()
    {
        QTest::addColumn<QString>("builder");
        QTest::addColumn<QString>("method");
        QTest::addColumn<QJsonObject>("params");

        QTest::newRow("sendMessageToWeb")
            << "sendMessageToWeb"
            << "SendMessageToWeb" << QJsonObject {{"type", 3}, {"id", "a1b2"}};
        QTest::newRow("notifyExitApp") << "notifyExitApp"
                                       << "ExitApp" << QJsonObject();
        QTest::newRow("notifyFullScreen") << "notifyFullScreen"
                                          << "FullScreen" << QJsonObject {{"bFullScreen", true}};
        QTest::newRow("notify401") << "notify401"
                                   << "Notify401" << QJsonObject();
        QTest::newRow("notifyMenuClicked") << "notifyMenuClicked"
                                           << "MenuClicked"
                                           << QJsonObject {{"menuCode", "/client/firstPagePc"},
                                                           {"menuPath", "/#/client/navitation"}};
        QTest::newRow("notifyMenuNumUpdate")
            << "notifyMenuNumUpdate"
            << "NotifyMenuNumUpdate" << QJsonObject {{"visibleMenuPath", QJsonArray {"/a", "/b"}}};
        QTest::newRow("replyClientInfo")
            << "replyClientInfo"
            << "ReplyClientInfo"
            << QJsonObject {{"macAddr", ConfigInfo::CBaseInfo::getSysMac()},
                            {"version", "V2.000.0000009.1.R"},
                            {"sysVersion", ConfigInfo::CBaseInfo::getSysVersion()},
                            {"sysBit", ConfigInfo::CBaseInfo::getSysBit()}};
    }

    void buildersSendOneEnvelopeToMain()
    {
        QFETCH(QString, builder);
        QFETCH(QString, method);
        QFETCH(QJsonObject, params);

        // A head with an explicit id takes no number from the counter.
        QCOMPARE(buildRpcHeader(QStringLiteral("X"), true, false, 77),
                 (QJsonObject {{"method", "X"}, {"async", true}, {"result", false}, {"id", 77}}));
        const int before = buildRpcHeader(QStringLiteral("X"), false, true, -1)
                               .value(QStringLiteral("id"))
                               .toInt();

        sendWithBuilder(builder);
        const QList<QJsonObject> sent = m_host->notifications();
        QCOMPARE(sent.size(), 1);
        QCOMPARE(sent.first(),
                 (QJsonObject {{"method", method},
                               {"params", params},
                               {"result", true},
                               {"async", false},
                               {"id", before + 1}}));
    }

    void concurrentBuildersNeverShareAnId()
    {
        constexpr int perThread = 5000;
        auto burst = [] {
            for (int i = 0; i < perThread; ++i)
                notify401();
        };
        std::thread first(burst);
        std::thread second(burst);
        first.join();
        second.join();

        QSet<int> ids;
        int lowest = INT_MAX;
        for (const QJsonObject &object : m_host->notifications()) {
            const int id = object.value(QStringLiteral("id")).toInt();
            ids.insert(id);
            lowest = qMin(lowest, id);
        }
        QCOMPARE(ids.size(), 2 * perThread);
        // No number skipped either: the ids are one contiguous run.
        for (int id = lowest; id < lowest + 2 * perThread; ++id)
            QVERIFY(ids.contains(id));
    }

    void messagesStartEmptyAndCopy()
    {
        LoginSuccessMsg login;
        QCOMPARE(login.strMethod, QStringLiteral("NotifyLoginSucc"));
        QVERIFY(login.strParam.isEmpty() && login.strLogoName.isEmpty()
                && login.strLogoImagePath.isEmpty());
        FullScreenMsg fullScreen;
        QCOMPARE(fullScreen.strMethod, QStringLiteral("FullScreen"));
        QCOMPARE(fullScreen.bFullScreen, false);
        MenuMsg menu;
        QVERIFY(menu.strMethod.isEmpty() && menu.strParam.isEmpty() && menu.strMenuPath.isEmpty());
        QCOMPARE(menu.GetType(), 0);

        auto *original = new CWebBaseMsg;
        original->strMethod = QStringLiteral("CloseVideoShop");
        original->strParam = QStringLiteral("{\"menuCode\":\"c\"}");
        original->addRef();
        const CWebBaseMsg copy(*original);
        QCOMPARE(copy.strMethod, QStringLiteral("CloseVideoShop"));
        QCOMPARE(copy.strParam, QStringLiteral("{\"menuCode\":\"c\"}"));
        QCOMPARE(copy.refCount(), 0L); // a copy is a new object, held by nobody yet
        original->release();
    }

    // The view hands messages to the GUI thread through a queued signal: it works from the
    // first message on, by the name in the signal's signature as well as by the C++ type.
    void queuedSignalCarriesTheMessage()
    {
        std::unique_ptr<CWebBaseMsg> msg = std::make_unique<MenuMsg>();
        QVERIFY(QMetaType::type("CWebBaseMsg") != QMetaType::UnknownType);
        QVERIFY(QMetaType::type("CWebBaseMsg*") != QMetaType::UnknownType);

        QueuedMsgCarrier carrier;
        QThread worker;
        worker.start();
        QObject emitter;
        emitter.moveToThread(&worker);
        // By name, as a string-based connection resolves it, and by type.
        QVERIFY(connect(&carrier, SIGNAL(sgnRPCCall(CWebBaseMsg *)), &carrier,
                        SLOT(onRPCCall(CWebBaseMsg *)), Qt::QueuedConnection));
        connect(&carrier, &QueuedMsgCarrier::sgnRPCCall, &carrier, &QueuedMsgCarrier::onRPCCall,
                Qt::QueuedConnection);
        QMetaObject::invokeMethod(&emitter,
                                  [&carrier, &msg] { emit carrier.sgnRPCCall(msg.get()); });
        QTRY_COMPARE(carrier.received.size(), 2);
        QCOMPARE(carrier.received.at(0), msg.get());
        QCOMPARE(carrier.received.at(1), msg.get());
        worker.quit();
        worker.wait();
    }
};

QTEST_MAIN(tst_WebMessageModel)
#include "tst_webmessagemodel.moc"
