#include "ZoCefView/ZoCefPageScripts.h"

#include "render/ZoCefScripts.h"

#include <QJSEngine>
#include <QtTest>

using ZoCef::ZoCefPageScripts;

// The page-side script logic, run in a plain JavaScript engine with a minimal document.
class tst_ZoCefPageScripts : public QObject
{
    Q_OBJECT

    // A global with what the bridge script uses of a browser window; dispatched events are
    // recorded as "type:detail" in window.events.
    static void prepareWindow(QJSEngine &engine)
    {
        engine.evaluate(QStringLiteral(R"(
            var window = this;
            var events = [];
            var timers = [];
            function setTimeout(f) { timers.push(f); }
            function CustomEvent(type, init) { this.type = type; this.detail = init.detail; }
            var document = { dispatchEvent: function (e) { events.push(e.type + ':' + e.detail); } };
        )"));
    }

    static QJSValue run(QJSEngine &engine, const QString &script)
    {
        const QJSValue value = engine.evaluate(script);
        if (value.isError())
            qWarning("script error: %s", qPrintable(value.toString()));
        return value;
    }

private slots:
    void stringLiteral_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << QStringLiteral("plain text");
        QTest::newRow("quotes and backslashes") << QStringLiteral("\" ' \\ \\\" \\\\u0041 ${a}");
        QTest::newRow("controls") << QStringLiteral("\n\r\t\b\f\v\x01\x1f\x7f");
        QTest::newRow("separators") << QStringLiteral("a\u2028b\u2029c");
        QTest::newRow("nul") << QString(QChar(0)) + QStringLiteral("x");
        QTest::newRow("non-BMP pair") << QString::fromUtf8("\xF0\x9F\x98\x80");
        QTest::newRow("lone high surrogate") << QString(QChar(0xd83d)) + QStringLiteral("x");
        QTest::newRow("lone low surrogate") << QStringLiteral("x") + QString(QChar(0xde00));
        QTest::newRow("swapped pair") << QString(QChar(0xde00)) + QString(QChar(0xd83d));
        QTest::newRow("script tag") << QStringLiteral("</script><!--");
    }

    // The literal, evaluated as script, gives back exactly the text.
    void stringLiteral()
    {
        QFETCH(QString, text);
        QJSEngine engine;
        const QJSValue value = engine.evaluate(ZoCefPageScripts::stringLiteral(text));
        QVERIFY2(value.isString(), qPrintable(value.toString()));
        QCOMPARE(value.toString(), text);
    }

    void callsBecomeEvents()
    {
        QJSEngine engine;
        prepareWindow(engine);
        run(engine,
            ZoCefPageScripts::mainWorldSource(
                QString::fromUtf8(ZoCefRender::ZoCefScripts::source("v8/ClientObject"))));
        QCOMPARE(run(engine, QStringLiteral(R"([
            ClientObject.RPCCall('{"a":1}'), ClientObject.RPCCall(), ClientObject.RPCCall(1, 2),
            ClientObject.MainCall('m', 'p'), ClientObject.MainCall('m')
        ].map(String).join())"))
                     .toString(),
                 QStringLiteral("0,undefined,undefined,0,undefined"));
        QCOMPARE(
            run(engine, QStringLiteral("events.join('|')")).toString(),
            QStringLiteral(R"(ZoCefRenderer.RPCCall:{"a":1}|ZoCefRenderer.MainCall:["m","p"])"));
    }

    void notifyCallbacks()
    {
        QJSEngine engine;
        prepareWindow(engine);
        run(engine,
            ZoCefPageScripts::mainWorldSource(
                QString::fromUtf8(ZoCefRender::ZoCefScripts::source("v8/ClientObject"))));
        // An object the page assigns later keeps its own members, gains the bridge's and
        // keeps the connections made before.
        const QString log = run(engine, QStringLiteral(R"(
            var log = [];
            function once(t) { log.push('once ' + t); ClientObject.RPCNotify.disconnect(once); }
            function failing(t) { log.push('failing ' + t); throw new Error('page fault'); }
            function twice(t) { log.push('twice ' + t); }
            ClientObject.RPCNotify.connect(once);
            ClientObject.RPCNotify.connect(failing);
            ClientObject = { mine: 42 };
            ClientObject.RPCNotify.connect(twice);
            ClientObject.RPCNotify.connect(twice);
            RPCNotify('1');
            ClientObject.RPCNotify.disconnect(twice);
            RPCNotify('2');
            [ClientObject.mine, typeof ClientObject.RPCCall, log.join(), timers.length].join(';')
        )"))
                                .toString();
        QCOMPARE(log,
                 QStringLiteral("42;function;once 1,failing 1,twice 1,twice 1,failing 2,"
                                "twice 2;2"));
    }
};

QTEST_GUILESS_MAIN(tst_ZoCefPageScripts)
#include "tst_zocefpagescripts.moc"
