#include "render/ZoCefBridge.h"
#include "render/ZoCefFocusRule.h"
#include "render/ZoCefProcessType.h"
#include "render/ZoCefScripts.h"

#include <QtTest>

using namespace ZoCefRender;

class tst_ZoCefRender : public QObject
{
    Q_OBJECT

private slots:
    void callRule_data()
    {
        QTest::addColumn<QString>("function");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("sent");
        QTest::addColumn<QString>("message");

        QTest::newRow("RPCCall with one") << "RPCCall" << 1 << true << "ZoCefRenderer.RPCCall";
        QTest::newRow("RPCCall with none") << "RPCCall" << 0 << false << "ZoCefRenderer.RPCCall";
        QTest::newRow("RPCCall with two") << "RPCCall" << 2 << false << "ZoCefRenderer.RPCCall";
        QTest::newRow("MainCall with two") << "MainCall" << 2 << true << "ZoCefRenderer.MainCall";
        QTest::newRow("MainCall with one") << "MainCall" << 1 << false << "ZoCefRenderer.MainCall";
        QTest::newRow("MainCall with three")
            << "MainCall" << 3 << false << "ZoCefRenderer.MainCall";
        QTest::newRow("names are case-sensitive") << "rpccall" << 1 << false << "";
        QTest::newRow("not ours") << "RPCNotify" << 1 << false << "";
    }

    void callRule()
    {
        QFETCH(QString, function);
        QFETCH(int, count);
        QFETCH(bool, sent);
        QFETCH(QString, message);
        QCOMPARE(ZoCefBridge::acceptsCall(function.toStdString(), std::size_t(count)), sent);
        QCOMPARE(QString::fromStdString(ZoCefBridge::messageName(function.toStdString())), message);
    }

    void processType_data()
    {
        QTest::addColumn<bool>("hasSwitch");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("type");

        QTest::newRow("no switch") << false << "" << int(ZoCefProcessType::Browser);
        QTest::newRow("renderer") << true << "renderer" << int(ZoCefProcessType::Renderer);
        QTest::newRow("gpu") << true << "gpu-process" << int(ZoCefProcessType::Other);
        QTest::newRow("utility") << true << "utility" << int(ZoCefProcessType::Other);
        QTest::newRow("empty value") << true << "" << int(ZoCefProcessType::Other);
        QTest::newRow("case differs") << true << "Renderer" << int(ZoCefProcessType::Other);
    }

    void processType()
    {
        QFETCH(bool, hasSwitch);
        QFETCH(QString, value);
        QFETCH(int, type);
        QCOMPARE(int(ZoCefProcessType::classify(hasSwitch, value.toStdString())), type);
    }

    // Each step: (has node, node editable) -> whether a report is sent.
    void focusRule_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("reports");

        // "-" no node, "n" a non-editable node, "e" an editable node; reports "T"/"F", "." none.
        QTest::newRow("starts not editable") << "n"
                                             << ".";
        QTest::newRow("input, input, link") << "nee n"
                                            << ".T.F";
        QTest::newRow("no node counts as not editable") << "e-e"
                                                        << "TFT";
        QTest::newRow("editable node then nothing focused") << "e--"
                                                            << "TF.";
    }

    void focusRule()
    {
        QFETCH(QString, steps);
        QFETCH(QString, reports);
        steps.remove(QLatin1Char(' '));
        ZoCefFocusRule rule;
        QString got;
        for (const QChar step : steps) {
            const bool reported = rule.update(step != QLatin1Char('-'), step == QLatin1Char('e'));
            got += reported ? (rule.lastEditable() ? QLatin1Char('T') : QLatin1Char('F'))
                            : QLatin1Char('.');
        }
        QCOMPARE(got, reports);
    }

    void scriptsInTheirOrder()
    {
        QStringList names;
        for (const ZoCefScripts::Script &script : ZoCefScripts::scripts())
            names << QString::fromLatin1(script.name);
        QCOMPARE(names, QStringList({"v8/ClientObject", "v8/QWebChannel", "v8/qt"}));

        // The native functions are declared with the names the handler serves.
        const QByteArray clientObject = ZoCefScripts::source("v8/ClientObject");
        QVERIFY(clientObject.contains("native function MainCall(method, param);"));
        QVERIFY(clientObject.contains("native function RPCCall(param);"));
        QVERIFY(clientObject.contains("function RPCNotify(param)"));
        QVERIFY(ZoCefScripts::source("v8/QWebChannel").contains("function QWebChannel("));
        QVERIFY(ZoCefScripts::source("v8/qt").contains("webChannelTransport"));
        QVERIFY(ZoCefScripts::source("v8/unknown").isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_ZoCefRender)
#include "tst_zocefrender.moc"
