// Page-to-client round trips through ZoCefWebView against a bare QWebChannel echo, measured
// in the same run. Needs a display; as root also QTWEBENGINE_DISABLE_SANDBOX=1:
//   QTWEBENGINE_DISABLE_SANDBOX=1 QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu
//       tests/run-under-xvfb.sh build/bench/bench_webbridge
#include "BenchStats.h"
#include "ChannelScript.h"
#include "EventLoopWait.h"

#include "ZoCefView/ZoCefContext.h"
#include "ZoCefView/ZoCefWebView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineView>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

const int kBlocks = 10; // round trips run in alternating blocks, so that load on the
const int kBlockSize = 100; // machine falls on both sides alike
const int kBursts = 3;
const int kBurst = 2000;
const QString kCall = QStringLiteral(R"({"method":"LocalConfig","params":{"isRead":true}})");

// The view's page: echoes every notification as a call; "burst" fires kBurst calls at once
// and checks that the kBurst replies "r<i>" come back in order.
const char kBridgePage[] = R"(<!DOCTYPE html><html><body><script>
var expected = 0, inOrder = true;
ClientObject.RPCNotify.connect(function (text) {
    if (text === 'burst') {
        expected = 0;
        inOrder = true;
        for (var i = 0; i < 2000; ++i) ClientObject.RPCCall('b' + i);
    } else if (text.charAt(0) === 'r') {
        if (text !== 'r' + expected) inOrder = false;
        if (++expected === 2000) ClientObject.RPCCall('done ' + inOrder);
    } else {
        ClientObject.RPCCall(text);
    }
});
ClientObject.RPCCall('ready');
</script></body></html>)";

// The reference: a QObject on a QWebChannel in the main world, called by the page.
const char kEchoPage[] = R"(<!DOCTYPE html><html><body><script>
new QWebChannel(qt.webChannelTransport, function (channel) {
    var echo = channel.objects.echo;
    window.roundTrips = function (count, text) {
        var done = 0;
        var next = function () {
            echo.echo(text, function () { if (++done < count) next(); else echo.finished('rt'); });
        };
        next();
    };
    window.burst = function (count) {
        var got = 0, inOrder = true;
        for (var i = 0; i < count; ++i) {
            echo.echo('b' + i, function (reply) {
                if (reply !== 'b' + got) inOrder = false;
                if (++got === count) echo.finished('done ' + inOrder);
            });
        }
    };
    echo.finished('ready');
});
</script></body></html>)";

class EchoObject : public QObject
{
    Q_OBJECT

public:
    std::function<void(const QString &)> onCall;

public slots:
    QString echo(const QString &text)
    {
        onCall(text);
        return text;
    }
    void finished(const QString &what) { emit sgnFinished(what); }

signals:
    void sgnFinished(const QString &what);
};

// Intervals between successive arrivals at the client are whole round trips; the first
// arrival of a block only marks its start.
void addIntervals(const std::vector<qint64> &arrivals, std::vector<double> &ms)
{
    for (size_t i = 1; i < arrivals.size(); ++i)
        ms.push_back((arrivals[i] - arrivals[i - 1]) / 1e6);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KorvelBench"));
    QTemporaryDir data;
    ZoCef::ZoCefContext::setDataFolder(data.path());
    ZoCef::ZoCefContext::createInstance(argc, argv);
    QElapsedTimer clock;
    clock.start();

    // The reference shell.
    QWebEngineView echoView;
    EchoObject echo;
    QWebChannel channel;
    channel.registerObject(QStringLiteral("echo"), &echo);
    echoView.page()->setWebChannel(&channel);
    injectQtWebChannelScript(echoView.page());
    QString echoState;
    QObject::connect(&echo, &EchoObject::sgnFinished,
                     [&](const QString &what) { echoState = what; });
    std::vector<qint64> echoArrivals;
    echo.onCall = [&](const QString &) { echoArrivals.push_back(clock.nsecsElapsed()); };
    echoView.setHtml(QString::fromLatin1(kEchoPage));
    echoView.show();

    // The bridge under test, with the client's part played by a direct echo.
    ZoCef::ZoCefWebView view;
    std::vector<qint64> arrivals;
    QStringList burstCalls;
    QString bridgeState;
    int stopAfter = 0;
    QObject::connect(&view, &ZoCef::ZoCefWebView::sgnRPCCall, [&](const QString &text) {
        if (text == QLatin1String("ready") || text.startsWith(QLatin1String("done"))) {
            bridgeState = text;
        } else if (text.startsWith(QLatin1Char('b'))) {
            burstCalls << text;
            view.SendMsgToWeb(QLatin1Char('r') + text.mid(1));
        } else {
            arrivals.push_back(clock.nsecsElapsed());
            if (int(arrivals.size()) < stopAfter)
                view.SendMsgToWeb(text);
        }
    });
    view.SetHtml(QString::fromLatin1(kBridgePage));
    view.show();

    if (!korveltest::waitUntil([&] { return echoState == QLatin1String("ready"); })
        || !korveltest::waitUntil([&] { return bridgeState == QLatin1String("ready"); })) {
        std::fprintf(stderr, "pages did not come up\n");
        return 1;
    }

    // Sequential round trips: a warm-up block on each side, then alternating blocks.
    std::vector<double> bareMs, bridgeMs;
    for (int block = 0; block <= kBlocks; ++block) {
        echoArrivals.clear();
        echoState.clear();
        echoView.page()->runJavaScript(
            QStringLiteral("roundTrips(%1, '%2')").arg(kBlockSize + 1).arg(kCall));
        korveltest::waitUntil([&] { return echoState == QLatin1String("rt"); });

        arrivals.clear();
        stopAfter = kBlockSize + 1;
        view.SendMsgToWeb(kCall);
        korveltest::waitUntil([&] { return int(arrivals.size()) >= stopAfter; });
        if (block > 0) {
            addIntervals(echoArrivals, bareMs);
            addIntervals(arrivals, bridgeMs);
        }
    }
    const double bareMedian = bench::median(bareMs);
    const double bridgeMedian = bench::median(bridgeMs);
    std::printf("sequential round trips (%d on each side)\n", kBlocks * kBlockSize);
    std::printf("  bare QWebChannel echo: median %.3f ms, p90 %.3f ms\n", bareMedian,
                bench::percentile90(bareMs));
    std::printf("  ZoCefWebView bridge:   median %.3f ms, p90 %.3f ms\n", bridgeMedian,
                bench::percentile90(bridgeMs));
    std::printf("  ratio bridge / bare:   %.2f\n", bridgeMedian / bareMedian);

    // Calls fired at once, alternating between the two sides.
    std::vector<double> bareBursts, bridgeBursts;
    bool ok = bareMs.size() == size_t(kBlocks * kBlockSize)
        && bridgeMs.size() == size_t(kBlocks * kBlockSize);
    for (int round = 0; round < kBursts; ++round) {
        QElapsedTimer timer;
        echoState.clear();
        timer.start();
        echoView.page()->runJavaScript(QStringLiteral("burst(%1)").arg(kBurst));
        ok = korveltest::waitUntil([&] { return echoState.startsWith(QLatin1String("done")); }) && ok;
        bareBursts.push_back(timer.nsecsElapsed() / 1e6);
        ok = ok && echoState == QLatin1String("done true");

        bridgeState.clear();
        burstCalls.clear();
        timer.restart();
        view.SendMsgToWeb(QStringLiteral("burst"));
        ok = korveltest::waitUntil([&] { return bridgeState.startsWith(QLatin1String("done")); }) && ok;
        bridgeBursts.push_back(timer.nsecsElapsed() / 1e6);
        ok = ok && bridgeState == QLatin1String("done true") && burstCalls.size() == kBurst;
        for (int i = 0; ok && i < kBurst; ++i)
            ok = burstCalls.at(i) == QLatin1Char('b') + QString::number(i);
    }
    std::printf("%d calls fired at once, all replies back (median of %d)\n", kBurst, kBursts);
    std::printf("  bare QWebChannel echo: %.1f ms\n", bench::median(bareBursts));
    std::printf("  ZoCefWebView bridge:   %.1f ms\n", bench::median(bridgeBursts));
    std::printf("  ratio bridge / bare:   %.2f\n", bench::median(bridgeBursts) / bench::median(bareBursts));
    std::printf("calls and replies complete and in order: %s\n", ok ? "yes" : "NO");

    ZoCef::ZoCefContext::destroyInstance();
    return ok ? 0 : 1;
}

#include "bench_webbridge.moc"
