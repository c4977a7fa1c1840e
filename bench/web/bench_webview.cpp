// Page-to-client-to-page round trips through CWebViewBase ("GetClientInfo" answered with
// "ReplyClientInfo": page call check, web message queue, notify bus, page) against a bare
// QWebChannel echo, measured in the same run and timed inside the pages. A third side shows
// the floor of any reply made on a worker thread: the web-view library's bridge with a bare
// DMessageQueue hop and a fixed reply. Needs a display; as root also
// QTWEBENGINE_DISABLE_SANDBOX=1:
//   QTWEBENGINE_DISABLE_SANDBOX=1 QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu
//       tests/run-under-xvfb.sh build/bench/bench_webview
#include "BenchStats.h"
#include "ChannelScript.h"
#include "EventLoopWait.h"

#include "Web/CWebViewBase.h"
#include "Web/QCefView.h"

#include "Ostmark/CStorePaths.h"
#include "ZoCefView/ZoCefContext.h"
#include "ZoCefView/ZoCefWebView.h"
#include "lumo/DMessage.h"
#include "lumo/DMessageQueue.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineView>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

const int kBlocks = 10; // round trips run in alternating blocks, so that load on the
const int kBlockSize = 100; // machine falls on both sides alike
const int kBursts = 3;
const int kBurst = 2000;

// The view's page. roundTrips(n): n sequential "GetClientInfo" calls, each sent when the
// previous reply has arrived, timed one by one. burst(n): n calls at once; the replies must
// all arrive, with consecutive notification ids (the order the calls were answered in).
const char kViewPage[] = R"(<!DOCTYPE html><html><body><script>
var call = JSON.stringify({method: 'GetClientInfo', params: {}});
var onReply = null;
ClientObject.RPCNotify.connect(function (text) { if (onReply) onReply(text); });
window.state = '';
window.times = [];
window.roundTrips = function (count) {
    times = []; state = '';
    var started = 0;
    onReply = function (text) {
        times.push(performance.now() - started);
        if (text.indexOf('"ReplyClientInfo"') < 0) state = 'wrong reply';
        if (times.length < count) { started = performance.now(); ClientObject.RPCCall(call); }
        else if (!state) state = 'rt';
    };
    started = performance.now();
    ClientObject.RPCCall(call);
};
window.burst = function (count) {
    state = '';
    var got = 0, inOrder = true, lastId = null, started = performance.now();
    onReply = function (text) {
        var id = JSON.parse(text).id;
        if (lastId !== null && id !== lastId + 1) inOrder = false;
        lastId = id;
        if (++got === count) { times = [performance.now() - started]; state = 'done ' + inOrder; }
    };
    for (var i = 0; i < count; ++i) ClientObject.RPCCall(call);
};
</script></body></html>)";

// The reference: a QObject on a QWebChannel in the main world, answering each call.
const char kEchoPage[] = R"(<!DOCTYPE html><html><body><script>
var call = JSON.stringify({method: 'GetClientInfo', params: {}});
window.state = '';
window.times = [];
new QWebChannel(qt.webChannelTransport, function (channel) {
    var echo = channel.objects.echo;
    window.roundTrips = function (count) {
        times = []; state = '';
        var started = 0;
        var next = function () {
            started = performance.now();
            echo.echo(call, function () {
                times.push(performance.now() - started);
                if (times.length < count) next(); else state = 'rt';
            });
        };
        next();
    };
    window.burst = function (count) {
        state = '';
        var got = 0, inOrder = true, started = performance.now();
        for (var i = 0; i < count; ++i) {
            echo.echo('b' + i, function (reply) {
                if (reply !== 'b' + got) inOrder = false;
                if (++got === count) {
                    times = [performance.now() - started];
                    state = 'done ' + inOrder;
                }
            });
        }
    };
    state = 'ready';
});
</script></body></html>)";

// Answers each page call of a library widget from its worker thread, through the GUI thread,
// with a reply of the same form as "ReplyClientInfo".
class HopQueue : public lumo::DMessageQueue
{
public:
    explicit HopQueue(ZoCef::ZoCefWebView *view)
        : lumo::DMessageQueue(1, 1 << 16)
        , m_view(view)
    {
        view->SetRPCCallFunc(&HopQueue::onCall, this);
        Start();
    }
    ~HopQueue() override
    {
        m_view->SetRPCCallFunc(nullptr, nullptr);
        Stop();
    }

protected:
    void processMsg(lumo::DMessage *) override
    {
        const QJsonObject params {
            {QStringLiteral("macAddr"), QStringLiteral("52:54:00:12:34:56")},
            {QStringLiteral("sysBit"), 64},
            {QStringLiteral("sysVersion"), QSysInfo::prettyProductName()},
            {QStringLiteral("version"), QStringLiteral("V1.000.0000001.3.R")}};
        const QJsonObject object {{QStringLiteral("async"), false},
                                  {QStringLiteral("id"), ++m_id},
                                  {QStringLiteral("method"), QStringLiteral("ReplyClientInfo")},
                                  {QStringLiteral("params"), params},
                                  {QStringLiteral("result"), true}};
        const QString reply
            = QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
        ZoCef::ZoCefWebView *view = m_view;
        QMetaObject::invokeMethod(
            view, [view, reply] { view->SendMsgToWeb(reply); }, Qt::QueuedConnection);
    }

private:
    static void onCall(const QString &, void *context)
    {
        auto *queue = static_cast<HopQueue *>(context);
        auto *msg = new lumo::DMessage;
        msg->addRef();
        queue->PushMsg(msg);
        msg->release();
    }

    ZoCef::ZoCefWebView *m_view;
    std::atomic<int> m_id {0};
};

class EchoObject : public QObject
{
    Q_OBJECT

public slots:
    QString echo(const QString &text) { return text; }
};

QVariant evaluate(QWebEnginePage *page, const QString &script)
{
    QVariant result;
    bool done = false;
    page->runJavaScript(script, QWebEngineScript::MainWorld, [&](const QVariant &value) {
        result = value;
        done = true;
    });
    korveltest::waitUntil([&] { return done; });
    return result;
}

// Starts script on the page, waits until the page's state passes the check, and gives the
// page's times.
std::vector<double> run(QWebEnginePage *page, const QString &script,
                        const std::function<bool(const QString &)> &finished, QString *state)
{
    page->runJavaScript(script, QWebEngineScript::MainWorld);
    korveltest::waitUntil([&] {
        *state = evaluate(page, QStringLiteral("state")).toString();
        return finished(*state);
    });
    std::vector<double> times;
    const QJsonArray array
        = QJsonDocument::fromJson(
              evaluate(page, QStringLiteral("JSON.stringify(times)")).toString().toUtf8())
              .array();
    for (const QJsonValue &value : array)
        times.push_back(value.toDouble());
    return times;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KorvelArden"));
    QTemporaryDir programDir;
    QTemporaryDir userDir;
    QTemporaryDir dataDir;
    ConfigInfo::CStorePaths::setProgramFolder(programDir.path());
    ConfigInfo::CStorePaths::setUserStoreFolder(userDir.path());
    {
        QSettings clientInfo(programDir.filePath(QStringLiteral("ClientInfo.ini")),
                             QSettings::IniFormat);
        clientInfo.setValue(QStringLiteral("CLIENTINFO/Version"),
                            QStringLiteral("V1.000.0000001.3.R"));
        clientInfo.setValue(QStringLiteral("CLIENTINFO/Name"), QStringLiteral("Korvel"));
    }
    ZoCef::ZoCefContext::setDataFolder(dataDir.path());
    Web::CWebViewBase::initCefContext(0, 2, false);
    // The context goes after every view: locals made later are destroyed first.
    struct ContextGuard
    {
        ~ContextGuard() { Web::CWebViewBase::destroyCefContext(); }
    } contextGuard;

    // The reference shell.
    QWebEngineView echoView;
    EchoObject echo;
    QWebChannel channel;
    channel.registerObject(QStringLiteral("echo"), &echo);
    echoView.page()->setWebChannel(&channel);
    injectQtWebChannelScript(echoView.page());
    echoView.setHtml(QString::fromLatin1(kEchoPage));
    echoView.show();
    QWebEnginePage *echoPage = echoView.page();

    // The floor: the library's bridge with a reply made on a worker thread.
    ZoCef::ZoCefWebView hopView;
    bool hopLoaded = false;
    QObject::connect(&hopView, &ZoCef::ZoCefWebView::sgnLoadFinished, [&] { hopLoaded = true; });
    hopView.SetHtml(QString::fromLatin1(kViewPage));
    hopView.resize(400, 300);
    hopView.show();
    HopQueue hopQueue(&hopView);
    QWebEnginePage *hopPage = hopView.findChild<QWebEngineView *>()->page();

    // The view under test, as the main window makes it.
    auto view = std::make_unique<Web::CWebViewBase>(QStringLiteral("Main"));
    bool loaded = false;
    QObject::connect(view.get(), &Web::CWebViewBase::sgnLoadSuccess, [&] { loaded = true; });
    view->setBackgroundColor(Qt::white);
    view->setHtml(QString::fromLatin1(kViewPage));
    view->resize(400, 300);
    view->show();
    QWebEnginePage *viewPage
        = view->findChild<Web::QCefView *>()->cefWebView()->findChild<QWebEngineView *>()->page();

    if (!korveltest::waitUntil([&] { return evaluate(echoPage, QStringLiteral("state")) == "ready"; })
        || !korveltest::waitUntil([&] { return loaded && hopLoaded; })) {
        std::fprintf(stderr, "pages did not come up\n");
        return 1;
    }

    struct Side
    {
        const char *name;
        QWebEnginePage *page;
        std::vector<double> roundTrips;
        std::vector<double> bursts;
    };
    std::vector<Side> sides {{"bare QWebChannel echo", echoPage, {}, {}},
                             {"bridge + worker hop  ", hopPage, {}, {}},
                             {"CWebViewBase         ", viewPage, {}, {}}};

    // Sequential round trips: a warm-up block on each side, then alternating blocks.
    bool ok = true;
    QString state;
    const auto roundTripsDone = [](const QString &s) { return !s.isEmpty(); };
    for (int block = 0; block <= kBlocks; ++block) {
        for (Side &side : sides) {
            const std::vector<double> times
                = run(side.page, QStringLiteral("roundTrips(%1)").arg(kBlockSize), roundTripsDone,
                      &state);
            ok = ok && state == QLatin1String("rt") && times.size() == size_t(kBlockSize);
            if (block > 0)
                side.roundTrips.insert(side.roundTrips.end(), times.begin(), times.end());
        }
    }
    const double bare = bench::median(sides[0].roundTrips);
    std::printf("sequential round trips GetClientInfo -> ReplyClientInfo (%d on each side)\n",
                kBlocks * kBlockSize);
    for (const Side &side : sides)
        std::printf("  %s median %.3f ms, p90 %.3f ms, ratio to bare %.2f\n", side.name,
                    bench::median(side.roundTrips), bench::percentile90(side.roundTrips),
                    bench::median(side.roundTrips) / bare);
    std::printf("  ratio CWebViewBase / bare: %.2f (goal: at most 1.50)\n",
                bench::median(sides[2].roundTrips) / bare);

    // Calls fired at once, alternating between the sides.
    const auto burstDone = [](const QString &s) { return s.startsWith(QLatin1String("done")); };
    for (int round = 0; round < kBursts; ++round) {
        for (Side &side : sides) {
            const std::vector<double> times
                = run(side.page, QStringLiteral("burst(%1)").arg(kBurst), burstDone, &state);
            ok = ok && state == QLatin1String("done true") && times.size() == 1;
            side.bursts.insert(side.bursts.end(), times.begin(), times.end());
        }
    }
    std::printf("%d calls fired at once, all replies back in order (median of %d)\n", kBurst,
                kBursts);
    for (const Side &side : sides)
        std::printf("  %s %.1f ms, ratio to bare %.2f\n", side.name, bench::median(side.bursts),
                    bench::median(side.bursts) / bench::median(sides[0].bursts));
    std::printf("calls and replies complete and in order: %s\n", ok ? "yes" : "NO");

    return ok ? 0 : 1;
}

#include "bench_webview.moc"
