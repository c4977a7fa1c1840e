#include "os/OsProcess.h"

#include <QtTest>

class tst_OsProcess : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // A copy of sleep under a chosen name: its executable file name is that name.
    QString sleeper(const QString &name)
    {
        const QString path = m_dir.filePath(name);
        if (!QFile::exists(path))
            QFile::copy(QStringLiteral("/bin/sleep"), path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner);
        return path;
    }

private slots:
    void listsItself()
    {
        const qint64 self = os::OsProcess::currentPid();
        const QString myName = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
        bool found = false;
        for (const os::ProcessEntry &entry : os::OsProcess::list()) {
            if (entry.pid == self) {
                QCOMPARE(entry.exeName, myName);
                found = true;
            }
        }
        QVERIFY(found);
        QCOMPARE(os::OsProcess::currentExecutablePath(), QCoreApplication::applicationFilePath());
    }

    void endsExactlyTheNamedOnes()
    {
        QVERIFY(m_dir.isValid());
        const QString victimName = QStringLiteral("korvel-victim");
        // Longer than the kernel's 15-character process name, so a prefix compare would hit.
        const QString longerName = QStringLiteral("korvel-victim-helper");
        QProcess a, b, longer;
        a.start(sleeper(victimName), {QStringLiteral("60")});
        b.start(sleeper(victimName), {QStringLiteral("60")});
        longer.start(sleeper(longerName), {QStringLiteral("60")});
        QVERIFY(a.waitForStarted() && b.waitForStarted() && longer.waitForStarted());

        QCOMPARE(os::OsProcess::terminateByName(victimName), 2);
        QVERIFY(a.waitForFinished(5000));
        QVERIFY(b.waitForFinished(5000));
        QCOMPARE(longer.state(), QProcess::Running);
        QVERIFY(!longer.waitForFinished(200));

        QVERIFY(os::OsProcess::terminate(longer.processId()));
        QVERIFY(longer.waitForFinished(5000));
    }

    void neverEndsTheCaller()
    {
        const QString myName = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
        QCOMPARE(os::OsProcess::terminateByName(myName), 0);
        QCOMPARE(os::OsProcess::terminateByName(QString()), 0);
    }

    void executableFileName()
    {
#ifdef Q_OS_WIN
        QCOMPARE(os::OsProcess::executableFileName(QStringLiteral("Update")),
                 QStringLiteral("Update.exe"));
#else
        QCOMPARE(os::OsProcess::executableFileName(QStringLiteral("Update")),
                 QStringLiteral("Update"));
#endif
    }
};

QTEST_GUILESS_MAIN(tst_OsProcess)
#include "tst_osprocess.moc"
