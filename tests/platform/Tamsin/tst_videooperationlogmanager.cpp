#include "Tamsin/VideoOperationLogManager.h"

#include <QtTest>

#include <cstdlib>
#include <thread>
#include <vector>

class tst_VideoOperationLogManager : public QObject
{
    Q_OBJECT

    QStringList readLines(const QString &path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast(); // the final line break
        return lines;
    }

private slots:
    void cleanup() { VideoOperationLogManager::ReleaseInstance(); }

    void recordsFromSeveralThreadsAllArriveWhole()
    {
        QTemporaryDir dir;
        VideoOperationLogManager *log = VideoOperationLogManager::GetInstance();
        log->SetLogFolder(dir.filePath(QStringLiteral("ops/sub")));
        log->SetUserName(QStringLiteral("alice"));

        const int threads = 4;
        const int perThread = 250;
        std::vector<std::thread> workers;
        for (int t = 0; t < threads; ++t) {
            workers.emplace_back([t] {
                for (int i = 0; i < perThread; ++i) {
                    VideoOperationLogManager::GetInstance()->AddOperationRecord(
                        QStringLiteral("Play"), QStringLiteral("t%1-%2").arg(t).arg(i));
                }
            });
        }
        for (std::thread &w : workers)
            w.join();

        const QStringList lines = readLines(log->GetLogFilePath());
        QCOMPARE(lines.size(), threads * perThread);
        QSet<QString> details;
        QString lastTime;
        for (const QString &line : lines) {
            const QStringList fields = line.split(QLatin1Char('\t'));
            QCOMPARE(fields.size(), 4);
            QVERIFY(QDateTime::fromString(fields[0], QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"))
                        .isValid());
            QVERIFY2(fields[0] >= lastTime, "times follow the order of the lines");
            lastTime = fields[0];
            QCOMPARE(fields[1], QStringLiteral("alice"));
            QCOMPARE(fields[2], QStringLiteral("Play"));
            details.insert(fields[3]);
        }
        QCOMPARE(details.size(), threads * perThread);
    }

    void lineBreaksInFieldsKeepOneRecordPerLine()
    {
        QTemporaryDir dir;
        VideoOperationLogManager *log = VideoOperationLogManager::GetInstance();
        log->SetLogFolder(dir.path());
        log->SetUserName(QStringLiteral("bo\tb"));
        QVERIFY(log->AddOperationRecord(QStringLiteral("Snap\nshot"), QStringLiteral("a\r\nb")));
        QVERIFY(log->AddOperationRecord(QStringLiteral("Stop")));

        const QStringList lines = readLines(log->GetLogFilePath());
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0].section(QLatin1Char('\t'), 1), QStringLiteral("bo b\tSnap shot\ta  b"));
        QCOMPARE(lines[1].section(QLatin1Char('\t'), 1), QStringLiteral("bo b\tStop\t"));
    }

    // A record written before a release is still there after a new instance appends.
    void appendsAcrossInstancesAndFolders()
    {
        QTemporaryDir dir;
        VideoOperationLogManager::GetInstance()->SetLogFolder(dir.filePath(QStringLiteral("a")));
        QVERIFY(VideoOperationLogManager::GetInstance()->AddOperationRecord(QStringLiteral("one")));
        VideoOperationLogManager::ReleaseInstance();

        VideoOperationLogManager *log = VideoOperationLogManager::GetInstance();
        log->SetLogFolder(dir.filePath(QStringLiteral("a")));
        QVERIFY(log->AddOperationRecord(QStringLiteral("two")));
        QCOMPARE(readLines(log->GetLogFilePath()).size(), 2);

        log->SetLogFolder(dir.filePath(QStringLiteral("b")));
        QVERIFY(log->AddOperationRecord(QStringLiteral("three")));
        QCOMPARE(readLines(log->GetLogFilePath()).size(), 1);
        QCOMPARE(readLines(dir.filePath(QStringLiteral("a/VideoOperation.log"))).size(), 2);
    }

    void unwritableFolderFailsWithoutCrash()
    {
        QTemporaryDir dir;
        const QString blocker = dir.filePath(QStringLiteral("file"));
        QFile file(blocker);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        VideoOperationLogManager *log = VideoOperationLogManager::GetInstance();
        log->SetLogFolder(blocker + QStringLiteral("/below")); // a folder below a plain file
        QVERIFY(!log->AddOperationRecord(QStringLiteral("lost")));

        log->SetLogFolder(dir.path()); // recovers once the folder is usable
        QVERIFY(log->AddOperationRecord(QStringLiteral("kept")));
        QCOMPARE(readLines(log->GetLogFilePath()).size(), 1);
    }

    // Every record that AddOperationRecord reported as written is on disk after the process
    // dies without any clean-up.
    void recordsSurviveACrash()
    {
        QTemporaryDir dir;
        QProcess child;
        child.setWorkingDirectory(dir.path()); // where a core file would go
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--write-and-abort"), dir.filePath(QStringLiteral("log")),
                     QStringLiteral("50")});
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);

        const QStringList lines = readLines(dir.filePath(QStringLiteral("log/VideoOperation.log")));
        QCOMPARE(lines.size(), 50);
        QVERIFY(lines.last().endsWith(QStringLiteral("\tCrash\t49")));
    }

    void defaultFolderIsBelowTheProgramFolder()
    {
        QCOMPARE(
            QFileInfo(VideoOperationLogManager::GetInstance()->GetLogFilePath()).absolutePath(),
            QCoreApplication::applicationDirPath() + QStringLiteral("/OperationLog"));
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // The crashing writer of recordsSurviveACrash: folder and count, then an abort with no
    // destructor, no release and no flush of our own.
    if (argc == 4 && qstrcmp(argv[1], "--write-and-abort") == 0) {
        VideoOperationLogManager *log = VideoOperationLogManager::GetInstance();
        log->SetLogFolder(QString::fromLocal8Bit(argv[2]));
        const int count = QByteArray(argv[3]).toInt();
        for (int i = 0; i < count; ++i) {
            if (!log->AddOperationRecord(QStringLiteral("Crash"), QString::number(i)))
                return 1;
        }
        std::abort();
    }
    tst_VideoOperationLogManager test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_videooperationlogmanager.moc"
