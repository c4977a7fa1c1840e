#include <QtTest>

class tst_DExceptionHandler : public QObject
{
    Q_OBJECT

private slots:
    void crashLeavesAReport_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("signalName");
        QTest::addColumn<QString>("mustName");
        QTest::newRow("segv") << "segv" << "SIGSEGV" << "crashsite::korvelCrashingFunction(int volatile*)";
        QTest::newRow("abort") << "abort" << "SIGABRT" << "abort";
    }

    void crashLeavesAReport()
    {
        QFETCH(QString, how);
        QFETCH(QString, signalName);
        QFETCH(QString, mustName);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QProcess child;
        child.setWorkingDirectory(dir.path());
        // A relative folder, as the client passes it.
        child.start(QStringLiteral(KORVEL_TEST_BIN_DIR "/crash_helper"),
                    {QStringLiteral("KorvelArdenClientDump"), how});
        QVERIFY(child.waitForFinished(20000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);

        const QDir dumps(dir.filePath(QStringLiteral("KorvelArdenClientDump")));
        const QStringList reports = dumps.entryList({QStringLiteral("crash-*.txt")}, QDir::Files);
        QCOMPARE(reports.size(), 1);
        QFile report(dumps.filePath(reports.first()));
        QVERIFY(report.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(report.readAll());
        QVERIFY2(text.contains(signalName), qPrintable(text));
        QVERIFY2(text.contains(mustName), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("main")));
    }

    void noCrashNoReport()
    {
        QTemporaryDir dir;
        QProcess child;
        child.setWorkingDirectory(dir.path());
        child.start(QStringLiteral(KORVEL_TEST_BIN_DIR "/crash_helper"),
                    {QStringLiteral("dumps"), QStringLiteral("none")});
        QVERIFY(child.waitForFinished(20000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 0);
        QVERIFY(QDir(dir.filePath(QStringLiteral("dumps"))).isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_DExceptionHandler)
#include "tst_dexceptionhandler.moc"
