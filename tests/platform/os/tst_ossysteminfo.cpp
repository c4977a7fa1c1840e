#include "os/OsOpenGL.h"
#include "os/OsSystemInfo.h"
#include "os/OsUserRegistry.h"

#include <QtTest>

class tst_OsSystemInfo : public QObject
{
    Q_OBJECT

private slots:
    void is32Bit_data()
    {
        QTest::addColumn<int>("architecture");
        QTest::addColumn<bool>("is32Bit");
        QTest::newRow("intel") << 0 << true;
        QTest::newRow("arm") << 5 << true;
        QTest::newRow("ia64") << 6 << false;
        QTest::newRow("alpha64") << 7 << false;
        QTest::newRow("amd64") << 9 << false;
        QTest::newRow("arm64 counts as 32-bit") << 12 << true;
        QTest::newRow("unknown") << 0xffff << true;
    }

    void is32Bit()
    {
        QFETCH(int, architecture);
        QFETCH(bool, is32Bit);
        QCOMPARE(os::OsSystemInfo::is32BitArchitecture(architecture), is32Bit);
    }

    void thisMachine()
    {
        QVERIFY(!os::OsSystemInfo::isWindows7Workstation());
        if (QSysInfo::currentCpuArchitecture() == QLatin1String("x86_64"))
            QCOMPARE(os::OsSystemInfo::nativeArchitecture(), int(os::OsSystemInfo::ArchAmd64));
    }

    // Either a context with a version string that starts with its number, or nothing at all.
    void openGlStrings()
    {
        const os::GlDriverStrings gl = os::OsOpenGL::driverStrings();
        if (gl.contextMade) {
            QVERIFY(!gl.version.isEmpty());
            QVERIFY(QChar(gl.version.at(0)).isDigit());
            QVERIFY(!gl.vendor.isEmpty());
        } else {
            QVERIFY(gl.vendor.isNull() && gl.renderer.isNull() && gl.version.isNull()
                    && gl.extensions.isNull());
        }
    }

    void registrySurvivesANewObject()
    {
        QStandardPaths::setTestModeEnabled(true);
        const QString type = QStringLiteral("KorvelTest%1").arg(QCoreApplication::applicationPid());
        {
            os::OsUserRegistry registry(type);
            registry.setValue(QStringLiteral("cachePath"), QStringLiteral("/some/where"));
        }
        os::OsUserRegistry again(type);
        QCOMPARE(again.value(QStringLiteral("cachePath")).toString(), QStringLiteral("/some/where"));
        QVERIFY(again.location().contains(type));
        again.remove(QStringLiteral("cachePath"));
        QVERIFY(!again.value(QStringLiteral("cachePath")).isValid());
        QFile::remove(again.location());
    }
};

QTEST_GUILESS_MAIN(tst_OsSystemInfo)
#include "tst_ossysteminfo.moc"
