#include "Ostmark/AuthCenter.h"
#include "Ostmark/CBaseInfo.h"
#include "Ostmark/CClientInfo.h"
#include "Ostmark/CConfig.h"
#include "Ostmark/CLocalConfig.h"
#include "Ostmark/CStorePaths.h"

#include <QtTest>

#include <atomic>
#include <thread>

using namespace ConfigInfo;

class tst_ConfigStore : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_programDir;
    std::unique_ptr<QTemporaryDir> m_userDir;

    QProcessEnvironment helperEnvironment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("KORVEL_PROGRAM_DIR"), m_programDir->path());
        env.insert(QStringLiteral("KORVEL_USER_CONFIG_DIR"), m_userDir->path());
        return env;
    }

    bool runHelper(const QStringList &args, QByteArray *output = nullptr)
    {
        QProcess helper;
        helper.setProcessEnvironment(helperEnvironment());
        helper.start(QStringLiteral(KORVEL_TEST_BIN_DIR "/store_helper"), args);
        if (!helper.waitForFinished(30000) || helper.exitStatus() != QProcess::NormalExit
            || helper.exitCode() != 0)
            return false;
        if (output)
            *output = helper.readAllStandardOutput().trimmed();
        return true;
    }

private slots:
    void init()
    {
        m_programDir = std::make_unique<QTemporaryDir>();
        m_userDir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_programDir->isValid() && m_userDir->isValid());
        CStorePaths::setProgramFolder(m_programDir->path());
        CStorePaths::setUserStoreFolder(m_userDir->path());
    }

    void cleanupTestCase()
    {
        CStorePaths::setProgramFolder(QString());
        CStorePaths::setUserStoreFolder(QString());
    }

    // The shipped Localcfg.ini says what the code's defaults say, so an installation with a
    // damaged file behaves like a fresh one.
    void shippedDefaultsMatchCode_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("codeDefault");
        CLocalConfig *c = CLocalConfig::instance();
        // Read the defaults while the program folder is still empty.
        CStorePaths::setProgramFolder(QDir::tempPath() + QStringLiteral("/korvel-no-such-dir"));
        QTest::newRow("program") << "Type/Program" << c->getProgram();
        QTest::newRow("language") << "Type/Language" << c->getLanguage();
        QTest::newRow("skin") << "Skin/Path" << c->getSkinPath();
        QTest::newRow("log") << "Log/Enable" << QVariant(c->getLogFlag()).toString();
        QTest::newRow("login") << "Web/LoginUrl" << c->getLoginUrl();
        QTest::newRow("version") << "Web/VersionUrl" << c->getVersionUrl();
        QTest::newRow("platform") << "Web/PlatformUrl" << c->getPlatformUrl();
        QTest::newRow("webdlg") << "Web/WebDlgUrl" << c->getWebDlgUrl();
        QTest::newRow("web") << "Web/WebUrl" << c->getWebUrl();
        QTest::newRow("appstore") << "Web/AppStoreUrl" << c->getAppStoreUrl();
        QTest::newRow("heartbeat") << "Web/HeartBeatUrl" << c->getHeartBeartUrl();
        QTest::newRow("cache") << "Web/CacheFlag" << QVariant(c->getWebCacheFlag()).toString();
        QTest::newRow("debug") << "Web/Debug" << QVariant(c->getWebDebug()).toString();
        QTest::newRow("envinfo") << "Web/LocalEnvInfoEnable"
                                 << QVariant(c->getLocalEnvInfoEnable()).toString();
        QTest::newRow("replay") << "Video/InstantReplayTime"
                                << QString::number(c->getInstantReplayTime());
        CStorePaths::setProgramFolder(QString());
    }

    void shippedDefaultsMatchCode()
    {
        QFETCH(QString, key);
        QFETCH(QString, codeDefault);
        QSettings shipped(QStringLiteral(KORVEL_SOURCE_DIR "/platform/Ostmark/config/Localcfg.ini"),
                          QSettings::IniFormat);
        QVERIFY2(shipped.contains(key), qPrintable(key));
        QCOMPARE(shipped.value(key).toString(), codeDefault);
    }

    void fileValuesWinOverDefaults()
    {
        QFile::copy(QStringLiteral(KORVEL_SOURCE_DIR "/platform/Ostmark/config/ClientInfo.ini"),
                    m_programDir->filePath(QStringLiteral("ClientInfo.ini")));
        QSettings local(m_programDir->filePath(QStringLiteral("Localcfg.ini")),
                        QSettings::IniFormat);
        local.setValue(QStringLiteral("Type/Program"), QStringLiteral("KorvelCalen"));
        local.setValue(QStringLiteral("OpenGL/use"), 17);
        local.setValue(QStringLiteral("Tls/CaFile"), QStringLiteral("certs/ca.pem"));
        local.sync();

        CLocalConfig *c = CLocalConfig::instance();
        QCOMPARE(c->getProgram(), QStringLiteral("KorvelCalen"));
        QCOMPARE(c->getOpenGLUse(), 17);
        QCOMPARE(c->getTlsCaFile(), m_programDir->filePath(QStringLiteral("certs/ca.pem")));
        QCOMPARE(CClientInfo::instance()->getClientVersion(), QStringLiteral("V1.000.0000001.0.R"));
        QCOMPARE(CClientInfo::instance()->getClientName(), QStringLiteral("Korvel"));
        // The user store is the edition's own file.
        QCOMPARE(QFileInfo(CConfig::instance()->filePath()).fileName(),
                 QStringLiteral("KorvelCalen.ini"));
    }

    // The client information is read once and kept until the file changes: a replaced file,
    // a file of the same size written later, a removed file are all seen at the next read.
    void clientInfoFollowsTheFile()
    {
        const QString path = m_programDir->filePath(QStringLiteral("ClientInfo.ini"));
        const QDateTime written = QDateTime::currentDateTime().addSecs(-60);
        auto write = [&](const QString &version, const QDateTime &time) {
            {
                QSettings file(path, QSettings::IniFormat);
                file.setValue(QStringLiteral("CLIENTINFO/Version"), version);
            }
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(time, QFileDevice::FileModificationTime));
        };
        CClientInfo *info = CClientInfo::instance();
        QCOMPARE(info->getClientVersion(), QStringLiteral("V1.000.0000001.0.R"));
        write(QStringLiteral("V1.000.0000002.3.R"), written);
        QCOMPARE(info->getClientVersion(), QStringLiteral("V1.000.0000002.3.R"));
        QCOMPARE(info->getClientName(), QStringLiteral("Korvel"));
        write(QStringLiteral("V1.000.0000003.3.R"), written.addSecs(1));
        QCOMPARE(info->getClientVersion(), QStringLiteral("V1.000.0000003.3.R"));
        QVERIFY(QFile::remove(path));
        QCOMPARE(info->getClientVersion(), QStringLiteral("V1.000.0000001.0.R"));
    }

    void absentOpenGLKeyReadsAsNoChoice()
    {
        QCOMPARE(CLocalConfig::instance()->getOpenGLUse(), -1);
        QCOMPARE(CLocalConfig::instance()->getTlsCaFile(), QString());
    }

    // Each setter has written the file before it returns: another reader of the file (the
    // updater, the start-up's direct reads) sees the value at once.
    void settersWriteThrough()
    {
        CLocalConfig::instance()->setPlatformUrl(QStringLiteral("https"),
                                                 QStringLiteral("h.example"), 444);
        CLocalConfig::instance()->setWebCacheFlag(true);
        CLocalConfig::instance()->setVideoIntercomSetting({QStringLiteral("sip.example"), 5060});
        CConfig::instance()->setDownloadConfig(
            {QStringLiteral("/d/file"), QStringLiteral("/d/rec")});
        CConfig::instance()->setTalkType(1);

        QSettings local(CLocalConfig::instance()->filePath(), QSettings::IniFormat);
        QCOMPARE(local.value(QStringLiteral("Web/PlatformUrl")).toString(),
                 QStringLiteral("https://h.example:444"));
        QCOMPARE(local.value(QStringLiteral("Web/CacheFlag")).toBool(), true);
        QCOMPARE(local.value(QStringLiteral("VideoIntercom/Port")).toInt(), 5060);
        QSettings user(CConfig::instance()->filePath(), QSettings::IniFormat);
        QCOMPARE(user.value(QStringLiteral("Download/RecordPath")).toString(),
                 QStringLiteral("/d/rec"));
        QCOMPARE(user.value(QStringLiteral("Video/TalkType")).toInt(), 1);
        QVERIFY(QFileInfo(CConfig::instance()->filePath()).path() == m_userDir->path());
    }

    void recordsRoundTripWhole()
    {
        CConfig *c = CConfig::instance();
        const VideoShow show {true, false, false, true, 1, 3};
        QVERIFY(c->setVideoShow(show));
        QCOMPARE(c->getVideoShow(), show);
        const Alarm alarm {false, true, false};
        QVERIFY(c->setAlarm(alarm));
        QCOMPARE(c->getAlarm(), alarm);
        const ReconnectPlayCfg reconnect {true, 60, 30};
        QVERIFY(c->setReconnectPlayCfg(reconnect));
        QCOMPARE(c->getReconnectPlayCfg(), reconnect);
        const LogoInfo logo {QStringLiteral("http://h/logo.png"), QStringLiteral("Ladenkette Süd")};
        QVERIFY(c->setLogoInfo(logo));
        QCOMPARE(c->getLogoInfo(), logo);
        const ComIOTOpen qr {QStringLiteral("qr.example"), 8443, true};
        QVERIFY(CLocalConfig::instance()->setQROpenInfo(qr));
        QCOMPARE(CLocalConfig::instance()->getQROpenInfo(), qr);
        QCOMPARE(CLocalConfig::instance()->getComIOTOpenInfo(), ComIOTOpen());
    }

    void userStoreFollowsProgramType()
    {
        QSettings local(m_programDir->filePath(QStringLiteral("Localcfg.ini")),
                        QSettings::IniFormat);
        local.setValue(QStringLiteral("Type/Program"), QStringLiteral("KorvelBrisa"));
        local.sync();
        QVERIFY(CConfig::instance()->setStreamType(1));
        local.setValue(QStringLiteral("Type/Program"), QStringLiteral("KorvelArden"));
        local.sync();
        QCOMPARE(CConfig::instance()->getStreamType(), 0);
        local.setValue(QStringLiteral("Type/Program"), QStringLiteral("KorvelBrisa"));
        local.sync();
        QCOMPARE(CConfig::instance()->getStreamType(), 1);
    }

    void writtenByOneProcessReadByTheNext()
    {
        // Another process writes; this one reads.
        QVERIFY(runHelper({QStringLiteral("write"), QStringLiteral("first.example")}));
        QCOMPARE(CLocalConfig::instance()->getPlatformUrl(),
                 QStringLiteral("https://first.example:8443"));
        QCOMPARE(CLocalConfig::instance()->getInstantReplayTime(), 90);
        QCOMPARE(CLocalConfig::instance()->getComIOTOpenInfo(),
                 ComIOTOpen({QStringLiteral("first.example"), 9443, true}));
        QCOMPARE(CConfig::instance()->getVideoShow().nCacheMode, 3);
        QCOMPARE(CConfig::instance()->getRecordConfig(),
                 RecordConfig({QStringLiteral("/rec/first.example"), 1}));

        // This one writes; a fresh process reads.
        CLocalConfig::instance()->setPlatformUrl(QStringLiteral("http://second.example:80"));
        CConfig::instance()->setLogoInfo({QString(), QStringLiteral("Zweite Filiale")});
        QByteArray out;
        QVERIFY(runHelper({QStringLiteral("read")}, &out));
        const QJsonObject read = QJsonDocument::fromJson(out).object();
        QCOMPARE(read.value(QStringLiteral("platformUrl")).toString(),
                 QStringLiteral("http://second.example:80"));
        QCOMPARE(read.value(QStringLiteral("logoName")).toString(),
                 QStringLiteral("Zweite Filiale"));
        QCOMPARE(read.value(QStringLiteral("showRate")).toBool(), true);
        QCOMPARE(read.value(QStringLiteral("iotPort")).toInt(), 9443);
    }

    // The web message queue writes from its worker thread while the GUI thread reads: every
    // read sees one whole record, never a mix of two writes.
    void oneThreadWritesWhileAnotherReads()
    {
        const VideoShow a {true, true, true, true, 1, 2};
        const VideoShow b {false, false, false, false, 0, 3};
        const ReconnectPlayCfg ra {true, 10, 20};
        const ReconnectPlayCfg rb {false, 40, 3};
        CConfig::instance()->setVideoShow(a);
        CConfig::instance()->setReconnectPlayCfg(ra);
        std::atomic<bool> done {false};
        std::thread writer([&] {
            for (int i = 0; i < 150; ++i) {
                CConfig::instance()->setVideoShow(i % 2 ? a : b);
                CConfig::instance()->setReconnectPlayCfg(i % 2 ? ra : rb);
                AuthCenter::instance()->saveToken(i % 2 ? QStringLiteral("token-a")
                                                        : QStringLiteral("token-b"));
                CBaseInfo::instance()->setMenuInfo(
                    {QStringLiteral("m%1").arg(i), QStringLiteral("/p/%1").arg(i % 7), true, true});
            }
            done = true;
        });
        int reads = 0;
        while (!done || reads == 0) {
            const VideoShow show = CConfig::instance()->getVideoShow();
            QVERIFY(show == a || show == b);
            const ReconnectPlayCfg reconnect = CConfig::instance()->getReconnectPlayCfg();
            QVERIFY(reconnect == ra || reconnect == rb);
            const QString token = AuthCenter::instance()->getToken();
            QVERIFY(token.isEmpty() || token.startsWith(QLatin1String("token-")));
            QVERIFY(CBaseInfo::instance()->getAllMenuInfo().size() <= 7);
            ++reads;
        }
        writer.join();
        QVERIFY(reads > 0);
        QCOMPARE(CBaseInfo::instance()->getAllMenuInfo().size(), 7);
        CBaseInfo::instance()->clearAllMenuInfo();
        AuthCenter::instance()->initAuthCenter();
    }

    void menusKeepTheirPlaceWhenReplaced()
    {
        CBaseInfo *info = CBaseInfo::instance();
        info->setMenuInfo(
            {QStringLiteral("Video"), QStringLiteral("/basic/#/client/videoPlayBack"), true, true});
        info->setMenuInfo(
            {QStringLiteral("Alarm"), QStringLiteral("/alarm/#/client/infoCenter"), false, true});
        info->setMenuInfo({QStringLiteral("Playback"),
                           QStringLiteral("/basic/#/client/videoPlayBack"), false, true});
        const QVector<MenuInfo> all = info->getAllMenuInfo();
        QCOMPARE(all.size(), 2);
        QCOMPARE(all.at(0).strMenuName, QStringLiteral("Playback"));
        QCOMPARE(all.at(1).strMenuName, QStringLiteral("Alarm"));

        const MenuInfo absent
            = info->getMenuInfo(QStringLiteral("/basic/#/client/wheelPatrolConfig"));
        QVERIFY(!absent.bPresent);
        info->clearAllMenuInfo();
        QVERIFY(!info->getMenuInfo(QStringLiteral("/alarm/#/client/infoCenter")).bPresent);
        QVERIFY(info->getAllMenuInfo().isEmpty());
    }

    void logoutClearsTheSession()
    {
        AuthCenter *auth = AuthCenter::instance();
        auth->setUserName(QStringLiteral("anna"));
        auth->setUserPassword(QStringLiteral("secret"));
        auth->setCompanyId(7);
        auth->saveToken(QStringLiteral("t"));
        auth->saveQrToken(QStringLiteral("q"));
        auth->setClientLoginedStatue(true);
        auth->clearUserInfo();
        QVERIFY(auth->getUserName().isEmpty());
        QVERIFY(auth->getUserPassword().isEmpty());
        QCOMPARE(auth->getCompanyId(), 0);
        QCOMPARE(auth->getToken(), QStringLiteral("t")); // tokens go by their own calls
        auth->clearToken();
        auth->clearQrToken();
        QVERIFY(auth->getToken().isEmpty() && auth->getQrToken().isEmpty());
        auth->initAuthCenter();
        QVERIFY(!auth->isClientLogined());
    }

    void machineFacts()
    {
        const QString mac = CBaseInfo::getSysMac();
        QVERIFY(mac.isEmpty()
                || QRegularExpression(QStringLiteral("^([0-9A-F]{2}:){5}[0-9A-F]{2}$"))
                       .match(mac)
                       .hasMatch());
        QCOMPARE(CBaseInfo::getSysMac(), mac);
        QVERIFY(CBaseInfo::getSysBit() == 32 || CBaseInfo::getSysBit() == 64);
        QVERIFY(!CBaseInfo::getSysVersion().isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_ConfigStore)
#include "tst_configstore.moc"
