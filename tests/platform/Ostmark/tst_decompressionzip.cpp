#include "Ostmark/DecompressionZip.h"

#include <quazip5/quazip.h>
#include <quazip5/quazipfile.h>
#include <quazip5/quazipnewinfo.h>

#include <QtTest>

namespace {

using ZipEntries = QList<QPair<QString, QByteArray>>;

// Writes the names exactly as given: QuaZip stores them raw.
bool writeZip(const QString &path, const ZipEntries &entries)
{
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdCreate))
        return false;
    for (const auto &entry : entries) {
        QuaZipFile file(&zip);
        if (!file.open(QIODevice::WriteOnly, QuaZipNewInfo(entry.first)))
            return false;
        file.write(entry.second);
        file.close();
        if (file.getZipError() != UNZ_OK)
            return false;
    }
    zip.close();
    return zip.getZipError() == UNZ_OK;
}

QStringList treeBelow(const QString &dir)
{
    QStringList all;
    QDirIterator it(dir, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        all << QDir(dir).relativeFilePath(it.next());
    all.sort();
    return all;
}

} // namespace

class tst_DecompressionZip : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // Runs one unpacking; true for success. The signals come from the unpacking thread and
    // are received here queued, as the plugin updater receives them; both carry the paths.
    bool unpack(const QString &zip, const QString &dest)
    {
        DecompressionZip unzip;
        unzip.setDecompressPath(zip, dest);
        QList<QStringList> ok;
        QList<QStringList> failed;
        connect(&unzip, &DecompressionZip::sgnDecompressionSuccess, this,
                [&](const QString &z, const QString &d) { ok.append({z, d}); });
        connect(&unzip, &DecompressionZip::sgnDecompressionFailed, this,
                [&](const QString &z, const QString &d) { failed.append({z, d}); });
        unzip.start();
        if (!QTest::qWaitFor([&] { return ok.size() + failed.size() > 0; }, 20000))
            return false;
        unzip.wait();
        QCoreApplication::processEvents(); // nothing else may follow
        const QStringList fired = ok.isEmpty() ? failed.first() : ok.first();
        if (ok.size() + failed.size() != 1 || fired != QStringList{zip, dest})
            qFatal("unexpected signals");
        return ok.size() == 1;
    }

private slots:
    void unpacksFoldersAndFiles()
    {
        const QString zip = m_dir.filePath(QStringLiteral("Alboro.zip"));
        QVERIFY(writeZip(zip,
                         {{QStringLiteral("libAlboro.so"), QByteArray(200000, 'x')},
                          {QStringLiteral("res/"), {}},
                          {QStringLiteral("res/img/icon.png"), QByteArray("png")},
                          {QStringLiteral("./readme.txt"), QByteArray("hello")},
                          {QStringLiteral("./"), {}}}));
        const QString dest = m_dir.filePath(QStringLiteral("DownloadPlugins/Alboro"));
        QVERIFY(unpack(zip, dest));
        QCOMPARE(
            treeBelow(dest),
            (QStringList {"libAlboro.so", "readme.txt", "res", "res/img", "res/img/icon.png"}));
        QFile lib(dest + QStringLiteral("/libAlboro.so"));
        QVERIFY(lib.open(QIODevice::ReadOnly));
        QCOMPARE(lib.readAll(), QByteArray(200000, 'x'));

        // Unpacking again replaces what is there.
        QVERIFY(writeZip(zip, {{QStringLiteral("readme.txt"), QByteArray("second")}}));
        QVERIFY(unpack(zip, dest));
        QFile readme(dest + QStringLiteral("/readme.txt"));
        QVERIFY(readme.open(QIODevice::ReadOnly));
        QCOMPARE(readme.readAll(), QByteArray("second"));
    }

    void hostileNamesUnpackNothing_data()
    {
        QTest::addColumn<QStringList>("names");
        const QString abs
            = QStringLiteral("/tmp/korvel-abs-%1").arg(QCoreApplication::applicationPid());
        QTest::newRow("parent") << QStringList {"../x"};
        QTest::newRow("absolute") << QStringList {abs};
        QTest::newRow("climbing") << QStringList {"a/../../x"};
        QTest::newRow("backslash parent") << QStringList {"..\\x"};
        QTest::newRow("drive") << QStringList {"C:\\x"};
        QTest::newRow("drive relative") << QStringList {"C:x"};
        QTest::newRow("inner parent") << QStringList {"a/../b"};
        QTest::newRow("all at once") << QStringList {"../x", abs, "a/../../x", "..\\x", "C:\\x"};
    }

    void hostileNamesUnpackNothing()
    {
        QFETCH(QStringList, names);
        QTemporaryDir base;
        const QString zip = base.filePath(QStringLiteral("evil.zip"));
        ZipEntries entries {{QStringLiteral("first.txt"), QByteArray("harmless")}};
        for (const QString &name : names)
            entries.append({name, QByteArray("escaped")});
        entries.append({QStringLiteral("last.txt"), QByteArray("harmless")});
        QVERIFY(writeZip(zip, entries));

        const QString dest = base.filePath(QStringLiteral("work/dest"));
        QVERIFY(!unpack(zip, dest));
        // Refused as a whole: not even the harmless entries were written.
        QCOMPARE(treeBelow(base.path()), QStringList {"evil.zip"});
        for (const QString &name : names) {
            if (name.startsWith(QLatin1Char('/')))
                QVERIFY(!QFile::exists(name));
        }
        QVERIFY(!QFile::exists(QDir::currentPath() + QStringLiteral("/x")));
    }

    void linksInTheFolderDoNotLeadOut()
    {
        QTemporaryDir base;
        const QString outside = base.filePath(QStringLiteral("outside"));
        const QString dest = base.filePath(QStringLiteral("dest"));
        QVERIFY(QDir().mkpath(outside) && QDir().mkpath(dest));
        QFile victim(outside + QStringLiteral("/victim.txt"));
        QVERIFY(victim.open(QIODevice::WriteOnly) && victim.write("keep") == 4);
        victim.close();
        QVERIFY(QFile::link(outside, dest + QStringLiteral("/linkdir")));
        QVERIFY(QFile::link(outside + QStringLiteral("/victim.txt"),
                            dest + QStringLiteral("/file.txt")));

        // A file entry on a link: the link is replaced, the file it pointed to is kept.
        const QString zip = base.filePath(QStringLiteral("a.zip"));
        QVERIFY(writeZip(zip, {{QStringLiteral("file.txt"), QByteArray("new")}}));
        QVERIFY(unpack(zip, dest));
        QVERIFY(!QFileInfo(dest + QStringLiteral("/file.txt")).isSymLink());
        QVERIFY(victim.open(QIODevice::ReadOnly));
        QCOMPARE(victim.readAll(), QByteArray("keep"));
        victim.close();

        // An entry below a linked folder is refused.
        QVERIFY(writeZip(zip, {{QStringLiteral("linkdir/evil.txt"), QByteArray("escaped")}}));
        QVERIFY(!unpack(zip, dest));
        QCOMPARE(treeBelow(outside), QStringList {"victim.txt"});
    }

    void brokenArchivesFail_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("not a zip") << QByteArray("this is not a zip archive");
        QTest::newRow("empty file") << QByteArray();
    }

    void brokenArchivesFail()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir base;
        const QString zip = base.filePath(QStringLiteral("broken.zip"));
        QFile file(zip);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        QVERIFY(!unpack(zip, base.filePath(QStringLiteral("dest"))));
        QVERIFY(!unpack(base.filePath(QStringLiteral("missing.zip")),
                        base.filePath(QStringLiteral("dest"))));
    }

    void aCorruptedEntryFails()
    {
        QTemporaryDir base;
        const QString zip = base.filePath(QStringLiteral("crc.zip"));
        const QByteArray payload(5000, 'q');
        QVERIFY(writeZip(zip, {{QStringLiteral("data.bin"), payload}}));
        QFile file(zip);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QByteArray bytes = file.readAll();
        const int at = bytes.indexOf(QByteArray("data.bin")) + 8 + 10; // inside the data
        bytes[at] = char(bytes.at(at) ^ 0x5a);
        file.seek(0);
        file.write(bytes);
        file.close();
        QVERIFY(!unpack(zip, base.filePath(QStringLiteral("dest"))));
    }

    // The updater's plugin flow deletes the sender from its slot while the thread may still
    // be finishing its run.
    void deletingFromTheSlotIsSafe()
    {
        const QString zip = m_dir.filePath(QStringLiteral("small.zip"));
        QVERIFY(writeZip(zip, {{QStringLiteral("a.txt"), QByteArray("a")}}));
        auto *unzip = new DecompressionZip;
        unzip->setDecompressPath(zip, m_dir.filePath(QStringLiteral("small")));
        QSignalSpy destroyed(unzip, &QObject::destroyed);
        connect(unzip, &DecompressionZip::sgnDecompressionSuccess, this,
                [unzip] { unzip->deleteLater(); });
        unzip->start();
        QTRY_COMPARE(destroyed.count(), 1);
    }
};

QTEST_GUILESS_MAIN(tst_DecompressionZip)
#include "tst_decompressionzip.moc"
