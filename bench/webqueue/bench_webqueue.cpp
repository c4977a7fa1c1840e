// Page calls per second through the web message queue to their dispatch: "GetClientInfo"
// (parsed, answered with "ReplyClientInfo" through the notification bus) and
// "NotifySwitchMoudle" (parsed, handed to the view manager as a typed message), against the
// bare DMessageQueue hand-off of one message to processMsg, measured in the same run.
#include "BenchStats.h"
#include "Web/CWebBaseMsg.h"
#include "Web/CWebMessageQueue.h"
#include "Web/IWebViewManager.h"

#include "Ostmark/CStorePaths.h"
#include "Ostmark/IWebNotifyBusHost.h"
#include "Ostmark/MessageBus.h"
#include "lumo/DMessage.h"
#include "lumo/DMessageQueue.h"

#include <QCoreApplication>
#include <QJsonObject>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdio>
#include <map>
#include <thread>

namespace {

constexpr int kCalls = 20000;

std::atomic<int> g_handled {0};

void waitForHandled(int count)
{
    while (g_handled.load(std::memory_order_acquire) < count)
        std::this_thread::yield();
}

// Takes the replies addressed to "Main", as the main view would, and counts them.
class CountingHost : public IWebNotifyBusHost
{
public:
    bool onRPCBusNotify(QString) override
    {
        g_handled.fetch_add(1, std::memory_order_release);
        return true;
    }
    bool onModuleBusNotify(QString) override { return false; }
};

// Takes the typed messages, as the view would, and deletes them.
class CountingViewManager : public Web::IWebViewManager
{
public:
    void registerListener(const QString &, Web::IWebListener *) override { }
    void registerGlobalListener(Web::IWebListener *) override { }
    void unregisterListener(Web::IWebListener *) override { }
    void unregisterMethod(const QString &) override { }
    void notifyWeb(const QString &) override { }
    void sendMsgToManager(Web::CWebBaseMsg *msg) override
    {
        delete msg;
        g_handled.fetch_add(1, std::memory_order_release);
    }
};

class BareQueue : public lumo::DMessageQueue
{
public:
    BareQueue()
        : lumo::DMessageQueue(1, 1024)
    { }
    ~BareQueue() override { Stop(); }

protected:
    void processMsg(lumo::DMessage *) override
    {
        g_handled.fetch_add(1, std::memory_order_release);
    }
};

void runWebQueue(benchmark::State &state, const QJsonObject &pageCall)
{
    CountingViewManager viewManager;
    for (auto _ : state) {
        g_handled.store(0);
        Web::CWebMessageQueue queue;
        queue.setViewManager(&viewManager);
        for (int i = 0; i < kCalls; ++i)
            queue.pushWebMsg(pageCall);
        waitForHandled(kCalls);
        queue.setViewManager(nullptr);
    }
    state.SetItemsProcessed(state.iterations() * kCalls);
}

void BM_BareDMessageQueue(benchmark::State &state)
{
    for (auto _ : state) {
        g_handled.store(0);
        BareQueue queue;
        queue.Start();
        for (int i = 0; i < kCalls; ++i) {
            auto *msg = new lumo::DMessage(0);
            msg->addRef();
            queue.PushMsg(msg);
            msg->release();
        }
        waitForHandled(kCalls);
    }
    state.SetItemsProcessed(state.iterations() * kCalls);
}

void BM_GetClientInfoReply(benchmark::State &state)
{
    runWebQueue(state,
                {{QStringLiteral("method"), QStringLiteral("GetClientInfo")},
                 {QStringLiteral("params"), QJsonObject()}});
}

void BM_NotifySwitchMoudleDispatch(benchmark::State &state)
{
    runWebQueue(
        state,
        {{QStringLiteral("method"), QStringLiteral("NotifySwitchMoudle")},
         {QStringLiteral("params"),
          QJsonObject {{QStringLiteral("menuPath"),
                        QStringLiteral("/passengerFlow/#/client/flowReport/flowOverView")}}}});
}

BENCHMARK(BM_BareDMessageQueue)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);
BENCHMARK(BM_GetClientInfoReply)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);
BENCHMARK(BM_NotifySwitchMoudleDispatch)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);

    // The reply reads the client information; keep the stores away from real files.
    QTemporaryDir stores;
    ConfigInfo::CStorePaths::setProgramFolder(stores.path());
    ConfigInfo::CStorePaths::setUserStoreFolder(stores.path());
    CountingHost host;
    MessageBus::instance()->initRPCNotifyBus(&host, QStringLiteral("Main"));

    bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    MessageBus::instance()->removeHost(&host);

    const double bare = reporter.rates["BM_BareDMessageQueue"];
    const double reply = reporter.rates["BM_GetClientInfoReply"];
    const double typed = reporter.rates["BM_NotifySwitchMoudleDispatch"];
    if (bare > 0 && reply > 0 && typed > 0) {
        std::printf("\nbare DMessageQueue hand-off   %10.0f msg/s\n", bare);
        std::printf("GetClientInfo to reply        %10.0f calls/s, ratio %.4f\n", reply,
                    reply / bare);
        std::printf("NotifySwitchMoudle to message %10.0f calls/s, ratio %.4f\n", typed,
                    typed / bare);
    }
    return 0;
}
