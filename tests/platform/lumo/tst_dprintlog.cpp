#include "lumo/DPrintLog.h"

#include <QtTest>

#include <thread>
#include <vector>

namespace {

struct Widget
{
    void method() { LUMO_LOG(4, "from %s %d", "method", 7); }
};

} // namespace

class tst_DPrintLog : public QObject
{
    Q_OBJECT

private slots:
    void shortFunctionName_data()
    {
        QTest::addColumn<QString>("pretty");
        QTest::addColumn<QString>("expected");
        QTest::newRow("method") << "void CTopToolBar::onRPCCall(Web::CWebBaseMsg*)"
                                << "CTopToolBar::onRPCCall";
        QTest::newRow("namespaced virtual const")
            << "virtual bool Web::CWebMessageQueue::process(int) const"
            << "CWebMessageQueue::process";
        QTest::newRow("free function") << "int main(int, char**)" << "main";
        QTest::newRow("pointer return") << "QWidget* Factory::make()" << "Factory::make";
    }

    void shortFunctionName()
    {
        QFETCH(QString, pretty);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdString(lumo::DPrintLog::shortFunctionName(qPrintable(pretty))),
                 expected);
    }

    // One file, many threads, long records: every line is one whole record.
    void recordsFromThreadsNeverInterleave()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QDir::setCurrent(dir.path());
        QVERIFY(lumo::DPrintLog::instance()->SetFile("log/run"));
        Widget().method();

        constexpr int kThreads = 8;
        constexpr int kRecords = 2000;
        const std::string payload(1500, 'x'); // longer than the formatter's stack buffer
        std::vector<std::thread> threads;
        for (int t = 0; t < kThreads; ++t) {
            threads.emplace_back([t, &payload] {
                for (int i = 0; i < kRecords; ++i)
                    LUMO_LOG(6, "T%d N%d %s line\nbreak END", t, i, payload.c_str());
            });
        }
        for (std::thread &t : threads)
            t.join();
        lumo::DPrintLog::instance()->Flush();

        // The records outgrow one file: read the rotated ones too.
        QByteArray all;
        const QDir logDir(dir.filePath("log"));
        const QStringList files = logDir.entryList({"run*"}, QDir::Files);
        QVERIFY(files.size() > 1);
        for (const QString &name : files) {
            QFile file(logDir.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            all += file.readAll();
        }
        const QList<QByteArray> lines = all.split('\n');
        QRegularExpression shape(QStringLiteral(
            "^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3} \\[E\\] \\[\\d+\\] "
            "tst_dprintlog\\.cpp:\\d+ \\S+ T(\\d) N(\\d+) x{1500} line break END$"));
        int records = 0;
        QVector<int> seen(kThreads, 0);
        for (const QByteArray &line : lines) {
            if (line.isEmpty() || line.contains("[I]"))
                continue;
            const QRegularExpressionMatch m = shape.match(QString::fromUtf8(line));
            QVERIFY2(m.hasMatch(), line.left(200).constData());
            ++seen[m.captured(1).toInt()];
            ++records;
        }
        QCOMPARE(records, kThreads * kRecords);
        for (int count : seen)
            QCOMPARE(count, kRecords);
        QVERIFY(all.contains("[I] ["));
        QVERIFY(all.contains("Widget::method from method 7"));
    }
};

QTEST_GUILESS_MAIN(tst_DPrintLog)
#include "tst_dprintlog.moc"
