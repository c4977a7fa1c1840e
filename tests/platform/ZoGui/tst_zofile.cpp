#include "ZoGui/ZoFile.h"

#include <QtTest>

using ZoGUI::ZoFile;

class tst_ZoFile : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    void write(const QString &name, const QByteArray &bytes)
    {
        QFile file(m_dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

private slots:
    void initTestCase()
    {
        write(QStringLiteral("a.CSS"), "QLabel { color: red; }\n");
        write(QStringLiteral("b.CSS"), "QPushButton{}"); // no final line break
        write(QStringLiteral("empty.CSS"), QByteArray());
        write(QStringLiteral("bin.CSS"), QByteArray("\x00\xff\r\n", 4));
    }

    void readAll_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QByteArray>("expected");

        QTest::newRow("given order") << QStringList {"b.CSS", "a.CSS"}
                                     << QByteArray("QPushButton{}QLabel { color: red; }\n");
        QTest::newRow("missing files skipped")
            << QStringList {"gone.CSS", "a.CSS", "also-gone.CSS", "b.CSS"}
            << QByteArray("QLabel { color: red; }\nQPushButton{}");
        QTest::newRow("bytes kept as they are")
            << QStringList {"empty.CSS", "bin.CSS"} << QByteArray("\x00\xff\r\n", 4);
        QTest::newRow("same file twice")
            << QStringList {"b.CSS", "b.CSS"} << QByteArray("QPushButton{}QPushButton{}");
        QTest::newRow("nothing") << QStringList() << QByteArray();
    }

    void readAll()
    {
        QFETCH(QStringList, names);
        QFETCH(QByteArray, expected);
        QCOMPARE(ZoFile::ReadAll(names, m_dir.path()), expected);
        // A folder written with its trailing separator, as callers build it, reads the same.
        QCOMPARE(ZoFile::ReadAll(names, m_dir.path() + QLatin1Char('/')), expected);
    }

    void absoluteNamesIgnoreTheFolder()
    {
        QCOMPARE(ZoFile::ReadAll({m_dir.filePath(QStringLiteral("b.CSS"))},
                                 QStringLiteral("/nonexistent")),
                 QByteArray("QPushButton{}"));
    }

    void missingFolderGivesNothing()
    {
        QCOMPARE(ZoFile::ReadAll({QStringLiteral("a.CSS")}, m_dir.filePath(QStringLiteral("no"))),
                 QByteArray());
    }
};

QTEST_GUILESS_MAIN(tst_ZoFile)
#include "tst_zofile.moc"
