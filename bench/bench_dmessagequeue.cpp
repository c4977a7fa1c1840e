// Queue hand-off throughput: DMessageQueue against a bare mutex-and-condition-variable queue,
// one producer, a trivial consumer, measured in the same run.
#include "BenchStats.h"
#include "lumo/DMessage.h"
#include "lumo/DMessageQueue.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <map>
#include <mutex>
#include <thread>

namespace {

constexpr int kMessages = 200000;

class CountingQueue : public lumo::DMessageQueue
{
public:
    CountingQueue() : lumo::DMessageQueue(1, 1024) { }
    ~CountingQueue() override { Stop(); }
    std::atomic<int> handled{0};

protected:
    void processMsg(lumo::DMessage *) override { handled.fetch_add(1, std::memory_order_release); }
};

// The floor: a deque, a mutex, a condition variable, one consumer thread.
class BareQueue
{
public:
    BareQueue() : m_thread([this] { run(); }) { }
    ~BareQueue()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_stop = true;
        }
        m_wake.notify_one();
        m_thread.join();
    }
    void push(int *item)
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_queue.push_back(item);
        }
        m_wake.notify_one();
    }
    std::atomic<int> handled{0};

private:
    void run()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        for (;;) {
            m_wake.wait(lock, [this] { return m_stop || !m_queue.empty(); });
            if (m_stop)
                return;
            int *item = m_queue.front();
            m_queue.pop_front();
            lock.unlock();
            delete item;
            handled.fetch_add(1, std::memory_order_release);
            lock.lock();
        }
    }
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<int *> m_queue;
    bool m_stop = false;
    std::thread m_thread;
};

void BM_DMessageQueue(benchmark::State &state)
{
    for (auto _ : state) {
        CountingQueue queue;
        queue.Start();
        for (int i = 0; i < kMessages; ++i) {
            auto *msg = new lumo::DMessage(0);
            msg->addRef();
            queue.PushMsg(msg);
            msg->release();
        }
        while (queue.handled.load(std::memory_order_acquire) < kMessages)
            std::this_thread::yield();
    }
    state.SetItemsProcessed(state.iterations() * kMessages);
}

void BM_BareQueue(benchmark::State &state)
{
    for (auto _ : state) {
        BareQueue queue;
        for (int i = 0; i < kMessages; ++i)
            queue.push(new int(i));
        while (queue.handled.load(std::memory_order_acquire) < kMessages)
            std::this_thread::yield();
    }
    state.SetItemsProcessed(state.iterations() * kMessages);
}

BENCHMARK(BM_BareQueue)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);
BENCHMARK(BM_DMessageQueue)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double ours = reporter.rates["BM_DMessageQueue"];
    const double bare = reporter.rates["BM_BareQueue"];
    if (ours > 0 && bare > 0)
        std::printf("\nDMessageQueue %.0f msg/s, bare queue %.0f msg/s, ratio %.2f\n", ours, bare,
                    ours / bare);
    return 0;
}
