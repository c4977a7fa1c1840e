#include "CLoginSession.h"

#include "Ostmark/CConfig.h"
#include "Ostmark/CStorePaths.h"

#include <QtTest>

// Without a login token the library's session requests end at once, so these tests see the
// session's own decisions: when a login completes, what runs, what logout clears.
class tst_LoginSession : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        ConfigInfo::CStorePaths::setProgramFolder(m_dir.path());
        ConfigInfo::CStorePaths::setUserStoreFolder(m_dir.filePath(QStringLiteral("user")));
    }

    void loginCompletesWithBothMessagesInEitherOrder_data()
    {
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("completions");
        QTest::newRow("success, then info") << QStringList{"succ", "info"} << 1;
        QTest::newRow("info, then success") << QStringList{"info", "succ"} << 1;
        QTest::newRow("one of them repeated") << QStringList{"succ", "succ", "succ"} << 0;
        QTest::newRow("both, then both again") << QStringList{"info", "succ", "info", "succ"} << 1;
        QTest::newRow("logout in between") << QStringList{"succ", "logout", "info"} << 0;
        QTest::newRow("login, logout, login")
            << QStringList{"succ", "info", "logout", "info", "succ"} << 2;
    }

    void loginCompletesWithBothMessagesInEitherOrder()
    {
        QFETCH(QStringList, messages);
        QFETCH(int, completions);
        CLoginSession session;
        QSignalSpy completed(&session, &CLoginSession::sgnLoginCompleted);
        for (const QString &message : messages) {
            if (message == QLatin1String("succ"))
                session.onLoginSucceeded();
            else if (message == QLatin1String("info"))
                session.onLoginInfo();
            else
                session.onLogout();
        }
        QCOMPARE(completed.count(), completions);
    }

    void servicesRunFromLoginToLogout()
    {
        CLoginSession session;
        QVERIFY(!session.isP2pRetryActive());
        QVERIFY(!session.isPlayInfoTimerActive());
        session.onLoginSucceeded();
        session.onLoginInfo();
        QVERIFY(session.isP2pRetryActive());
        QVERIFY(session.isPlayInfoTimerActive());
        // A failed P2P fetch keeps the retry going; a successful one stops it.
        session.onP2pServerConfigResult(false);
        QVERIFY(session.isP2pRetryActive());
        session.onP2pServerConfigResult(true);
        QVERIFY(!session.isP2pRetryActive());

        session.onLogout();
        QVERIFY(!session.isPlayInfoTimerActive());
        // A second login starts both again.
        session.onLoginInfo();
        session.onLoginSucceeded();
        QVERIFY(session.isP2pRetryActive());
        QVERIFY(session.isPlayInfoTimerActive());
    }

    void logoutRemovesOnlyTheTemporaryVideos()
    {
        const QString folder = m_dir.filePath(QStringLiteral("DownloadRecord"));
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/sub")));
        const QStringList files{"a.dav", "b.DAV", "c.dav.part", "d.mp4", "sub/e.dav", ".f.dav"};
        for (const QString &name : files) {
            QFile f(folder + QLatin1Char('/') + name);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        ConfigInfo::DownloadConfigInfo download = ConfigInfo::CConfig::instance()->getDownloadConfig();
        download.strDownloadRecordPath = folder;
        ConfigInfo::CConfig::instance()->setDownloadConfig(download);

        CLoginSession session;
        session.onLogout();
        QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        left.sort();
        QCOMPARE(left, QStringList({"b.DAV", "c.dav.part", "d.mp4"}));
        QVERIFY(QFile::exists(folder + QStringLiteral("/sub/e.dav")));
    }
};

QTEST_GUILESS_MAIN(tst_LoginSession)
#include "tst_loginsession.moc"
