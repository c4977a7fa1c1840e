#include "TestPageServer.h"

#include "ZoCefView/ZoCefContext.h"
#include "ZoCefView/ZoCefWebView.h"

#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <QtTest>

#include <memory>

#include <signal.h>

using ZoCef::ZoCefContext;
using ZoCef::ZoCefWebView;

namespace {

// A page that sends every notification straight back as a page call.
const char kEchoPage[] = R"(<!DOCTYPE html><html><body>
<input id="first"><textarea id="second"></textarea><a id="link" href="#top">link</a>
<script>ClientObject.RPCNotify.connect(function (text) { ClientObject.RPCCall(text); });</script>
</body></html>)";

const char kOwnObjectPage[] = R"(<!DOCTYPE html><html><body>
<script>var ClientObject = { mine: 42 };</script></body></html>)";

const char kQtChannelPage[] = R"(<!DOCTYPE html><html><body><script>
var inside = false;
new QWebChannel(qt.webChannelTransport, function (channel) {
    inside = channel.objects.ClientObj === ClientObject;
});
var atOnce = inside;
</script></body></html>)";

const char kTopPage[] = R"(<!DOCTYPE html><html><body>
<iframe src="frame.html"></iframe></body></html>)";

const char kFramePage[] = R"(<!DOCTYPE html><html><body><script>
ClientObject.RPCCall('from the frame, top is itself: ' + (window === window.top));
</script></body></html>)";

// Walks the globals two levels deep for anything of a web channel: its transport with
// members, its client objects (they carry __id__), its callback table, our bridge object.
const char kFindChannelScript[] = R"((function () {
    var suspicious = ['__id__', 'execCallbacks', 'ZoCefBridge'];
    var found = [];
    var look = function (object, path, depth) {
        var names;
        try { names = Object.getOwnPropertyNames(object); } catch (e) { return; }
        names.forEach(function (name) {
            if (suspicious.indexOf(name) >= 0)
                found.push(path + '.' + name);
            var value;
            try { value = object[name]; } catch (e) { return; }
            if (name === 'webChannelTransport'
                && (typeof value !== 'object' || Object.getOwnPropertyNames(value).length))
                found.push(path + '.' + name);
            if (depth < 2 && value && typeof value === 'object' && value !== window)
                look(value, path + '.' + name, depth + 1);
        });
    };
    look(window, 'window', 0);
    return found.join(' ');
})())";

} // namespace

class tst_ZoCefWebView : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestPageServer> m_otherOrigin; // another port: another origin
    std::unique_ptr<TestPageServer> m_server;
    std::unique_ptr<ZoCefWebView> m_view;

    static QWebEnginePage *pageOf(ZoCefWebView *view)
    {
        return view->findChild<QWebEngineView *>()->page();
    }

    static std::unique_ptr<ZoCefWebView> makeView()
    {
        auto view = std::make_unique<ZoCefWebView>();
        view->resize(480, 320);
        // Script errors of the pages, to explain a failure.
        QObject::connect(view.get(), &ZoCefWebView::sgnConsoleMessage,
                         [](int level, const QString &message, int line, const QString &source) {
                             if (level >= QWebEnginePage::ErrorMessageLevel)
                                 qWarning("page error: %s (%s:%d)", qPrintable(message),
                                          qPrintable(source), line);
                         });
        view->show();
        return view;
    }

    bool load(ZoCefWebView *view, const QString &page)
    {
        QSignalSpy finished(view, &ZoCefWebView::sgnLoadFinished);
        view->SetUrl(m_server->url(page));
        return finished.wait(15000) && finished.last().at(0).toBool();
    }

    // Runs script in the page's main world, as page script, and gives its value.
    static QVariant evaluate(ZoCefWebView *view, const QString &script)
    {
        QVariant result;
        bool done = false;
        pageOf(view)->runJavaScript(script, QWebEngineScript::MainWorld,
                                    [&](const QVariant &value) {
                                        result = value;
                                        done = true;
                                    });
        if (!QTest::qWaitFor([&] { return done; }, 10000))
            qWarning("script did not finish: %s", qPrintable(script));
        return result;
    }

    // The next page call of the view, through its signal.
    static QString nextCall(QSignalSpy &calls)
    {
        if (calls.isEmpty() && !calls.wait(10000))
            return QStringLiteral("<no call>");
        return calls.takeFirst().at(0).toString();
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setApplicationName(QStringLiteral("KorvelArden"));
        char *argv[] = {const_cast<char *>("tst_zocefwebview"), nullptr};
        QVERIFY(ZoCefContext::createInstance(1, argv));

        m_otherOrigin = std::make_unique<TestPageServer>(
            std::map<std::string, std::string> {{"frame.html", kFramePage}});
        const std::string crossPage = "<!DOCTYPE html><html><body><iframe src=\""
            + m_otherOrigin->url(QStringLiteral("frame.html")).toStdString()
            + "\"></iframe></body></html>";
        m_server = std::make_unique<TestPageServer>(std::map<std::string, std::string> {
            {"cross.html", crossPage},
            {"echo.html", kEchoPage},
            {"own.html", kOwnObjectPage},
            {"channel.html", kQtChannelPage},
            {"top.html", kTopPage},
            {"frame.html", kFramePage},
        });
        m_view = makeView();
        QVERIFY(load(m_view.get(), QStringLiteral("echo.html")));
    }

    void cleanupTestCase()
    {
        m_view.reset();
        ZoCefContext::destroyInstance();
        m_server.reset();
        m_otherOrigin.reset();
    }

    // The client empties the cache path up to the last occurrence of the program type when
    // the user asks for a clean web cache: that must be a folder of this program type's web
    // data only, below the user's data folder.
    void contextKeepsDataBelowTheUserFolder()
    {
        const QString dataRoot
            = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        const QString folder = dataRoot + QStringLiteral("/KorvelArden/WebCache/KorvelArden");
        QCOMPARE(ZoCefContext::instance()->webDataFolder(), folder);
        const QString cachePath = m_view->GetCachePath();
        QCOMPARE(cachePath, folder + QStringLiteral("/Cache"));
        QCOMPARE(pageOf(m_view.get())->profile()->persistentStoragePath(),
                 folder + QStringLiteral("/Storage"));
        QCOMPARE(cachePath.left(cachePath.lastIndexOf(QStringLiteral("KorvelArden"))),
                 dataRoot + QStringLiteral("/KorvelArden/WebCache/"));
    }

    void pageCallsFollowTheArgumentRule()
    {
        QSignalSpy calls(m_view.get(), &ZoCefWebView::sgnRPCCall);
        QSignalSpy mainCalls(m_view.get(), &ZoCefWebView::sgnMainCall);
        // Page script forging the bridge's events with other details sends nothing either.
        const QVariant returned = evaluate(m_view.get(), QStringLiteral(R"([
            ClientObject.RPCCall(), ClientObject.RPCCall('a', 'b'), ClientObject.MainCall('m'),
            document.dispatchEvent(new CustomEvent('ZoCefRenderer.RPCCall', {detail: {a: 1}})),
            document.dispatchEvent(new CustomEvent('ZoCefRenderer.MainCall', {detail: '{'})),
            ClientObject.MainCall('m', 'p'), ClientObject.RPCCall('{"method":"x"}')
        ].map(String).join())"));
        QCOMPARE(returned.toString(),
                 QStringLiteral("undefined,undefined,undefined,true,true,0,0"));
        // Calls keep their order, so anything sent by the refused calls would come first.
        QCOMPARE(nextCall(calls), QStringLiteral(R"({"method":"x"})"));
        QCOMPARE(mainCalls.count(), 1);
        QCOMPARE(mainCalls.at(0), QVariantList({QStringLiteral("m"), QStringLiteral("p")}));
        QVERIFY(!calls.wait(300));
    }

    void callbackTakesThePlaceOfTheSignal()
    {
        QStringList received;
        auto collect = [](const QString &text, void *context) {
            static_cast<QStringList *>(context)->append(text);
        };
        QSignalSpy calls(m_view.get(), &ZoCefWebView::sgnRPCCall);
        m_view->SetRPCCallFunc(collect, &received);
        evaluate(m_view.get(), QStringLiteral("ClientObject.RPCCall('by callback')"));
        QTRY_COMPARE(received, QStringList({QStringLiteral("by callback")}));

        m_view->SetRPCCallFunc(nullptr, nullptr);
        evaluate(m_view.get(), QStringLiteral("ClientObject.RPCCall('by signal')"));
        QCOMPARE(nextCall(calls), QStringLiteral("by signal"));
        QCOMPARE(received.size(), 1);
    }

    void notificationArrivesUnchanged_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("json") << QStringLiteral(R"({"method":"GetLocalConfig","params":{}})");
        QTest::newRow("empty") << QString();
        QTest::newRow("quotes and backslashes")
            << QStringLiteral(R"(' " \ \\ \" \' \u0041 ${x} `tick`)");
        QTest::newRow("line breaks and separators")
            << QStringLiteral("a\nb\rc\r\nd\u2028e\u2029f\t\x01\x1f\x7f");
        QTest::newRow("script end tag") << QStringLiteral("</script><script>alert(1)</script>");
        QTest::newRow("non-BMP") << QString::fromUtf8("\xF0\x9F\x98\x80 \xF0\xA0\x80\x8B 中文");
        QTest::newRow("nul") << QString(QChar(0)) + QStringLiteral("after nul");
        QTest::newRow("lone surrogate")
            << QStringLiteral("a") + QString(QChar(0xd800)) + QStringLiteral("b");

        const QString chunk = QStringLiteral("\"'\\\n</script>\u2028\u2029")
            + QString::fromUtf8("\xF0\x9F\x98\x80中") + QStringLiteral("plain text 0123456789");
        QString large;
        while (large.size() < 1024 * 1024)
            large += chunk;
        QTest::newRow("1 MB") << large;
    }

    void notificationArrivesUnchanged()
    {
        QFETCH(QString, text);
        QSignalSpy calls(m_view.get(), &ZoCefWebView::sgnRPCCall);
        m_view->SendMsgToWeb(text);
        QVERIFY(calls.wait(10000));
        const QString back = calls.at(0).at(0).toString();
        QCOMPARE(back.size(), text.size());
        QVERIFY(back == text);
    }

    void notifyCallbacksConnectAndDisconnect()
    {
        QSignalSpy calls(m_view.get(), &ZoCefWebView::sgnRPCCall);
        evaluate(m_view.get(),
                 QStringLiteral("window.hits = 0;"
                                "window.hit = function () { ++hits; };"
                                "ClientObject.RPCNotify.connect(hit);"
                                "ClientObject.RPCNotify.connect(hit);"));
        m_view->SendMsgToWeb(QStringLiteral("one"));
        QCOMPARE(nextCall(calls), QStringLiteral("one")); // the echo: RPCNotify has run
        QCOMPARE(evaluate(m_view.get(), QStringLiteral("hits")).toInt(), 2);

        evaluate(m_view.get(), QStringLiteral("ClientObject.RPCNotify.disconnect(hit)"));
        m_view->SendMsgToWeb(QStringLiteral("two"));
        QCOMPARE(nextCall(calls), QStringLiteral("two"));
        QCOMPARE(evaluate(m_view.get(), QStringLiteral("hits")).toInt(), 3);
    }

    void mainWorldCannotReachTheChannel()
    {
        QCOMPARE(evaluate(m_view.get(),
                          QStringLiteral("JSON.stringify(qt.webChannelTransport) + ' '"
                                         "+ Object.getOwnPropertyNames(qt.webChannelTransport)"
                                         ".length"))
                     .toString(),
                 QStringLiteral("{} 0"));
        QCOMPARE(evaluate(m_view.get(), QString::fromLatin1(kFindChannelScript)).toString(),
                 QString());
        QCOMPARE(evaluate(m_view.get(),
                          QStringLiteral("Object.keys(new QWebChannel(qt.webChannelTransport)"
                                         ".objects).join()"))
                     .toString(),
                 QStringLiteral("ClientObj"));
    }

    void pageKeepsItsOwnClientObject()
    {
        auto view = makeView();
        QVERIFY(load(view.get(), QStringLiteral("own.html")));
        QSignalSpy calls(view.get(), &ZoCefWebView::sgnRPCCall);
        QCOMPARE(
            evaluate(view.get(),
                     QStringLiteral("[ClientObject.mine, typeof ClientObject.RPCNotify.connect,"
                                    " ClientObject.RPCCall('own')].join()"))
                .toString(),
            QStringLiteral("42,function,0"));
        QCOMPARE(nextCall(calls), QStringLiteral("own"));

        // The qt web channel form gets the bridge object synchronously, inside its callback.
        QVERIFY(load(view.get(), QStringLiteral("channel.html")));
        QCOMPARE(evaluate(view.get(), QStringLiteral("atOnce")).toBool(), true);
    }

    void frameCallsArrive_data()
    {
        QTest::addColumn<QString>("page");
        QTest::newRow("same origin") << QStringLiteral("top.html");
        QTest::newRow("other origin") << QStringLiteral("cross.html");
    }

    void frameCallsArrive()
    {
        QFETCH(QString, page);
        auto view = makeView();
        QSignalSpy calls(view.get(), &ZoCefWebView::sgnRPCCall);
        QVERIFY(load(view.get(), page));
        QCOMPARE(nextCall(calls), QStringLiteral("from the frame, top is itself: false"));
    }

    void htmlPageCallArrives()
    {
        auto view = makeView();
        QSignalSpy calls(view.get(), &ZoCefWebView::sgnRPCCall);
        view->SetHtml(QStringLiteral("<script>ClientObject.RPCCall('from html')</script>"));
        QCOMPARE(nextCall(calls), QStringLiteral("from html"));
    }

    void focusChangesBetweenEditableAndNot()
    {
        m_view->activateWindow();
        QSignalSpy focus(m_view.get(), &ZoCefWebView::sgnFocusedNodeChanged);
        evaluate(m_view.get(), QStringLiteral("document.getElementById('first').focus()"));
        QTRY_COMPARE(focus.count(), 1);
        QCOMPARE(focus.at(0).at(0).toBool(), true);
        evaluate(m_view.get(), QStringLiteral("document.getElementById('second').focus()"));
        evaluate(m_view.get(), QStringLiteral("document.getElementById('link').focus()"));
        QTRY_COMPARE(focus.count(), 2);
        QCOMPARE(focus.at(1).at(0).toBool(), false);
        evaluate(m_view.get(), QStringLiteral("document.activeElement.blur()"));
        QVERIFY(!focus.wait(300));
    }

    void renderProcessDeathIsReported()
    {
        auto view = makeView();
        QVERIFY(load(view.get(), QStringLiteral("echo.html")));
        const qint64 pid = view->renderProcessPid();
        QVERIFY(pid > 0);
        QSignalSpy terminated(view.get(), &ZoCefWebView::sgnWebTerminated);
        QCOMPARE(::kill(pid_t(pid), SIGKILL), 0);
        QVERIFY(terminated.wait(10000));
        QVERIFY(terminated.at(0).at(0).toInt() != QWebEnginePage::NormalTerminationStatus);

        // The owner rebuilds the widget; a page loaded into the new one still reaches it.
        view = makeView();
        QVERIFY(load(view.get(), QStringLiteral("echo.html")));
        QSignalSpy calls(view.get(), &ZoCefWebView::sgnRPCCall);
        view->SendMsgToWeb(QStringLiteral("after the crash"));
        QCOMPARE(nextCall(calls), QStringLiteral("after the crash"));
    }
};

// QtWebEngine shares its GL context with the widgets: the attribute must precede the
// application object.
int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    tst_ZoCefWebView test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_zocefwebview.moc"
