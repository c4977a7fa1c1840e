#include "HighDpiChoice.h"
#include "OpenGlChoice.h"
#include "StartupFolders.h"

#include <QtTest>

using Move = OpenGlChoice::LibraryMove;
Q_DECLARE_METATYPE(Move)

class tst_StartupDecisions : public QObject
{
    Q_OBJECT

private slots:
    // Decision and its effect on real files: which of the two library names exists after.
    void openGl_data()
    {
        QTest::addColumn<int>("use");
        QTest::addColumn<QByteArray>("version");
        QTest::addColumn<bool>("windows7");
        QTest::addColumn<bool>("libraryBefore");
        QTest::addColumn<bool>("backupBefore");
        QTest::addColumn<int>("attribute");
        QTest::addColumn<bool>("noShaderCache");
        QTest::addColumn<bool>("libraryAfter");
        QTest::addColumn<bool>("backupAfter");

        const int sw = Qt::AA_UseSoftwareOpenGL;
        QTest::newRow("4.x driver forces software, restores -bak")
            << 15 << QByteArray("4.6 (Compatibility Profile) Mesa 22.3.6") << false << false
            << true << sw << true << true << false;
        QTest::newRow("3.x driver forces software even with use=15")
            << 15 << QByteArray("3.3 Mesa") << false << false << true << sw << true << true
            << false;
        QTest::newRow("4.x on Windows 7, use absent: moved aside")
            << -1 << QByteArray("4.5.0 NVIDIA") << true << true << false << -1 << true << false
            << true;
        QTest::newRow("use=15 with an old driver: moved aside, no shader flag")
            << 15 << QByteArray("2.1 Mesa") << false << true << false << 15 << false << false
            << true;
        QTest::newRow("use=15, old library backup replaced")
            << 15 << QByteArray("1.4") << false << true << true << 15 << false << false << true;
        QTest::newRow("old driver, use absent: restored") << -1 << QByteArray("2.1") << false
                                                          << false << true << -1 << true << true
                                                          << false;
        QTest::newRow("no context: v is 0, restored") << -1 << QByteArray() << false << false
                                                      << true << -1 << true << true << false;
        QTest::newRow("use=17 with a 4.x driver on Windows 7") << 17 << QByteArray("4.6") << true
                                                               << false << true << sw << true
                                                               << true << false;
        QTest::newRow("5.x driver, use absent: moved aside")
            << -1 << QByteArray("5.0") << false << true << false << -1 << true << false << true;
        QTest::newRow("a number that is no attribute counts as absent")
            << 9999 << QByteArray("2.1") << false << false << true << -1 << true << true << false;
    }

    void openGl()
    {
        QFETCH(int, use);
        QFETCH(QByteArray, version);
        QFETCH(bool, windows7);
        QFETCH(bool, libraryBefore);
        QFETCH(bool, backupBefore);
        QFETCH(int, attribute);
        QFETCH(bool, noShaderCache);
        QFETCH(bool, libraryAfter);
        QFETCH(bool, backupAfter);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString library = dir.filePath(OpenGlChoice::softwareLibraryName());
        const QString backup = dir.filePath(OpenGlChoice::softwareLibraryBackupName());
        auto touch = [](const QString &path, const QByteArray &content) {
            QFile f(path);
            return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
        };
        if (libraryBefore)
            QVERIFY(touch(library, "current"));
        if (backupBefore)
            QVERIFY(touch(backup, "old backup"));

        const OpenGlChoice choice = OpenGlChoice::decide(use, version, windows7);
        QCOMPARE(choice.attribute, attribute);
        QCOMPARE(choice.disableShaderDiskCache, noShaderCache);
        choice.applyLibraryMove(dir.path());
        QCOMPARE(QFile::exists(library), libraryAfter);
        QCOMPARE(QFile::exists(backup), backupAfter);
        if (libraryBefore && backupAfter) {
            // What was moved aside is the library that was in use, not the older backup.
            QFile f(backup);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll(), QByteArray("current"));
        }
    }

    void leadingVersion_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("number");
        QTest::newRow("mesa") << QByteArray("4.6 (Compatibility Profile) Mesa 22.3.6") << 4;
        QTest::newRow("two digits") << QByteArray("10.1") << 10;
        QTest::newRow("es prefix") << QByteArray("OpenGL ES 3.2") << 0;
        QTest::newRow("empty") << QByteArray() << 0;
    }

    void leadingVersion()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, number);
        QCOMPARE(OpenGlChoice::leadingVersion(text), number);
    }

    void highDpi_data()
    {
        QTest::addColumn<int>("pixelWidth");
        QTest::addColumn<int>("pixelHeight");
        QTest::addColumn<int>("logicalWidth");
        QTest::addColumn<bool>("scaled");
        QTest::newRow("4k at 150%: 2560x1440 logical") << 3840 << 2160 << 2560 << true;
        QTest::newRow("1080p unscaled") << 1920 << 1080 << 1920 << true;
        QTest::newRow("1920x1200 at 200%: 960x600 logical") << 1920 << 1200 << 960 << false;
        QTest::newRow("1366x768 unscaled is below 800 high") << 1366 << 768 << 1366 << false;
        QTest::newRow("exactly 1280x800") << 1280 << 800 << 1280 << true;
        QTest::newRow("no monitor rectangle") << 1920 << 1080 << 0 << false;
    }

    void highDpi()
    {
        QFETCH(int, pixelWidth);
        QFETCH(int, pixelHeight);
        QFETCH(int, logicalWidth);
        QFETCH(bool, scaled);
        QCOMPARE(HighDpiChoice::decide(os::DisplayMode{pixelWidth, pixelHeight, logicalWidth}),
                 scaled);
        QVERIFY(!HighDpiChoice::decide(std::nullopt));
    }

    void resourceFolders()
    {
        QTemporaryDir dir;
        // Empty: the default below the program folder, created.
        const QString record = StartupFolders::resolveResourceFolder(QString(), dir.path(),
                                                                     QStringLiteral("/Record"));
        QCOMPARE(record, dir.path() + QStringLiteral("/Record"));
        QVERIFY(QFileInfo(record).isDir());
        // Existing: kept as it is, content and all.
        const QString mine = dir.filePath(QStringLiteral("mine"));
        QVERIFY(QDir().mkdir(mine));
        QFile keep(mine + QStringLiteral("/keep.dav"));
        QVERIFY(keep.open(QIODevice::WriteOnly));
        keep.close();
        QCOMPARE(StartupFolders::resolveResourceFolder(mine, dir.path(), QStringLiteral("/Record")),
                 mine);
        QVERIFY(QFile::exists(mine + QStringLiteral("/keep.dav")));
    }

    void emptyFolderKeepsTheFolder()
    {
        QTemporaryDir dir;
        const QString tmp = dir.filePath(QStringLiteral("tmp"));
        QVERIFY(QDir().mkpath(tmp + QStringLiteral("/sub/deeper")));
        for (const QString &name : {QStringLiteral("/a.txt"), QStringLiteral("/.hidden"),
                                    QStringLiteral("/sub/deeper/b")}) {
            QFile f(tmp + name);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        StartupFolders::emptyFolder(tmp);
        QVERIFY(QFileInfo(tmp).isDir());
        QVERIFY(QDir(tmp).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    }

    void logFileName()
    {
        QCOMPARE(StartupFolders::logFileName(QTime(9, 5, 7)), QStringLiteral("log/09-05-07"));
    }

    void webCacheOnlyBelowTheDataFolder()
    {
        QTemporaryDir dir;
        const QString root = dir.filePath(QStringLiteral("data"));
        const QString cache = root + QStringLiteral("/KorvelArden/cache");
        QVERIFY(QDir().mkpath(cache + QStringLiteral("/Cache")));
        QFile f(cache + QStringLiteral("/Cache/index"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();

        QVERIFY(!StartupFolders::clearWebCache(QStringLiteral("/"), root));
        QVERIFY(!StartupFolders::clearWebCache(QDir::homePath(), root));
        QVERIFY(!StartupFolders::clearWebCache(root, root));
        QVERIFY(!StartupFolders::clearWebCache(root + QStringLiteral("/../data/.."), root));
        QVERIFY(!StartupFolders::clearWebCache(root + QStringLiteral("/KorvelArden/cache"),
                                               root + QStringLiteral("/Korvel")));
        QVERIFY(QFile::exists(cache + QStringLiteral("/Cache/index")));

        QString windowsStyle = cache;
        windowsStyle.replace(QLatin1Char('/'), QLatin1Char('\\'));
        QVERIFY(StartupFolders::clearWebCache(windowsStyle, root));
        QVERIFY(!QFileInfo::exists(cache));
        QVERIFY(QFileInfo(root).isDir());
    }
};

QTEST_GUILESS_MAIN(tst_StartupDecisions)
#include "tst_startupdecisions.moc"
