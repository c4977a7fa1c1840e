#include "ClientFolder.h"

#include "os/OsUserRegistry.h"

#include <QtTest>

#include <signal.h>

namespace {

QString uniqueType()
{
    return QStringLiteral("KorvelTest%1x%2")
        .arg(QCoreApplication::applicationPid())
        .arg(QRandomGenerator::global()->bounded(1000000));
}

void touch(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
}

// Ends a client and the notification helper it started.
void stop(QProcess &client)
{
    if (client.state() != QProcess::NotRunning) {
        ::kill(pid_t(client.processId()), SIGKILL);
        client.waitForFinished(10000);
    }
}

} // namespace

class tst_Startup : public QObject
{
    Q_OBJECT

private slots:
    void firstStartPreparesTheFolders()
    {
        ClientFolder folder(uniqueType());
        QVERIFY(folder.isValid());
        folder.setLocalConfig(QStringLiteral("Log/Enable"), true);
        // Left from an earlier run: "./tmp" is emptied, the folder stays.
        QVERIFY(QDir().mkpath(folder.filePath(QStringLiteral("tmp/old/deeper"))));
        touch(folder.filePath(QStringLiteral("tmp/stale.dat")));
        touch(folder.filePath(QStringLiteral("tmp/old/deeper/x")));
        // A picture folder chosen by the user is kept with its content.
        const QString pictures = folder.filePath(QStringLiteral("MyPictures"));
        QVERIFY(QDir().mkdir(pictures));
        touch(pictures + QStringLiteral("/keep.jpg"));
        {
            QSettings user(folder.userStoreFile(), QSettings::IniFormat);
            user.setValue(QStringLiteral("PicAccess/PicPath"), pictures);
        }
        QTemporaryDir startedIn;

        QProcess client;
        folder.start(client, startedIn.path());
        QVERIFY(client.waitForStarted());
        const QStringList windows = ClientFolder::waitForWindows(client.processId());
        QVERIFY(!windows.isEmpty());
        stop(client);

        QVERIFY(QFileInfo(folder.filePath(QStringLiteral("tmp"))).isDir());
        QVERIFY(QDir(folder.filePath(QStringLiteral("tmp")))
                    .isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
        // Empty paths became the default folders, created and stored.
        for (const char *name : {"Record", "DownloadRecord", "DownloadFile", "SnapPicture"})
            QVERIFY2(QFileInfo(folder.filePath(QLatin1String(name))).isDir(), name);
        QVERIFY(!QFileInfo::exists(folder.filePath(QStringLiteral("Picture"))));
        QVERIFY(QFile::exists(pictures + QStringLiteral("/keep.jpg")));
        QSettings user(folder.userStoreFile(), QSettings::IniFormat);
        QCOMPARE(user.value(QStringLiteral("Record/RecordPath")).toString(),
                 folder.filePath(QStringLiteral("Record")));
        QCOMPARE(user.value(QStringLiteral("PicAccess/PicPath")).toString(), pictures);
        // The log of this run, and the driver report in the folder the client was started in.
        QCOMPARE(QDir(folder.filePath(QStringLiteral("log"))).entryList(QDir::Files).size(), 1);
        QVERIFY(QFile::exists(startedIn.filePath(QStringLiteral("OpenGL.cfg"))));
        QVERIFY(QFileInfo(folder.filePath(folder.programType() + QStringLiteral("ClientDump")))
                    .isDir());
    }

    void noLogFileWithoutTheLogFlag()
    {
        ClientFolder folder(uniqueType());
        folder.setLocalConfig(QStringLiteral("Log/Enable"), false);
        QProcess client;
        folder.start(client);
        QVERIFY(!ClientFolder::waitForWindows(client.processId()).isEmpty());
        stop(client);
        QVERIFY(QDir(folder.filePath(QStringLiteral("log"))).entryList(QDir::Files).isEmpty());
    }

    void secondStartShowsTheNoticeAndLeaves()
    {
        ClientFolder folder(uniqueType());
        QProcess first;
        folder.start(first);
        QVERIFY(!ClientFolder::waitForWindows(first.processId()).isEmpty());

        QProcess second;
        folder.start(second);
        const QStringList notice = ClientFolder::waitForWindows(second.processId());
        QCOMPARE(notice.size(), 1);
        QCOMPARE(ClientFolder::windowTitle(notice.first()), QStringLiteral("Notice"));
        QVERIFY(ClientFolder::pressReturn(notice.first()));
        QVERIFY(second.waitForFinished(20000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(first.state(), QProcess::Running);

        // A holder killed outright leaves its segment behind; it must not block the next start.
        stop(first);
        QProcess third;
        folder.start(third);
        const QStringList windows = ClientFolder::waitForWindows(third.processId());
        // The main window, and the start animation while the page loads: no notice among them.
        QVERIFY(!windows.isEmpty());
        for (const QString &window : windows)
            QVERIFY(ClientFolder::windowTitle(window) != QStringLiteral("Notice"));
        QCOMPARE(third.state(), QProcess::Running);
        stop(third);
    }

    void webCacheClearedOnceWhenAsked()
    {
        ClientFolder folder(uniqueType());
        const QString cache = folder.userDataDir() + QStringLiteral("/Korvel/WebCache/x");
        QVERIFY(QDir().mkpath(cache + QStringLiteral("/Cache")));
        touch(cache + QStringLiteral("/Cache/index"));
        {
            qputenv("XDG_CONFIG_HOME", folder.userConfigDir().toLocal8Bit());
            os::OsUserRegistry registry(folder.programType());
            registry.setValue(QStringLiteral("cachePath"), cache);
        }
        folder.setLocalConfig(QStringLiteral("Web/CacheFlag"), true);

        QProcess client;
        folder.start(client);
        QVERIFY(!ClientFolder::waitForWindows(client.processId()).isEmpty());
        stop(client);
        QVERIFY(!QFileInfo::exists(cache));
        QVERIFY(QFileInfo(folder.userDataDir()).isDir());
        QCOMPARE(folder.localConfig(QStringLiteral("Web/CacheFlag")).toBool(), false);
    }
};

QTEST_GUILESS_MAIN(tst_Startup)
#include "tst_startup.moc"
