#include "lumo/DMessage.h"
#include "lumo/DMessageQueue.h"

#include <QtTest>

#include <atomic>
#include <thread>
#include <vector>

namespace {

std::atomic<long> g_alive{0};

class NumberedMsg : public lumo::DMessage
{
public:
    NumberedMsg(int producer, int seq) : lumo::DMessage(0), producer(producer), seq(seq)
    {
        ++g_alive;
    }
    ~NumberedMsg() override { --g_alive; }
    const int producer;
    const int seq;
};

// Records what it sees; any message out of order or seen twice is a failure.
class RecordingQueue : public lumo::DMessageQueue
{
public:
    explicit RecordingQueue(int producers) : lumo::DMessageQueue(1, 1024), next(producers, 0) { }
    ~RecordingQueue() override { Stop(); }

    std::vector<int> next;
    std::atomic<long> handled{0};
    std::atomic<long> outOfOrder{0};
    std::atomic<int> slowMs{0};

protected:
    void processMsg(lumo::DMessage *msg) override
    {
        auto *m = static_cast<NumberedMsg *>(msg);
        if (next[m->producer] != m->seq)
            ++outOfOrder;
        next[m->producer] = m->seq + 1;
        ++handled;
        if (slowMs)
            std::this_thread::sleep_for(std::chrono::milliseconds(slowMs));
    }
};

void push(lumo::DMessageQueue &queue, int producer, int seq)
{
    auto *msg = new NumberedMsg(producer, seq);
    msg->addRef();
    queue.PushMsg(msg);
    msg->release();
}

} // namespace

class tst_DMessageQueue : public QObject
{
    Q_OBJECT

private slots:
    void init() { QCOMPARE(g_alive.load(), 0L); }

    void everyMessageOnceInPushOrderPerProducer()
    {
        constexpr int kPerProducer = 200000;
        auto *queue = new RecordingQueue(2);
        queue->addRef();
        QVERIFY(queue->Start());
        std::vector<std::thread> producers;
        for (int p = 0; p < 2; ++p) {
            producers.emplace_back([queue, p] {
                for (int i = 0; i < kPerProducer; ++i)
                    push(*queue, p, i);
            });
        }
        for (std::thread &t : producers)
            t.join();
        QTRY_COMPARE_WITH_TIMEOUT(queue->handled.load(), 2L * kPerProducer, 60000);
        QCOMPARE(queue->outOfOrder.load(), 0L);
        QCOMPARE(queue->next, std::vector<int>({kPerProducer, kPerProducer}));
        QCOMPARE(queue->QueueSize(), size_t(0));
        queue->Stop();
        queue->release();
        QCOMPARE(g_alive.load(), 0L);
    }

    void stopWithQueuedMessagesReleasesThem()
    {
        RecordingQueue queue(1);
        queue.slowMs = 20;
        QVERIFY(queue.Start());
        for (int i = 0; i < 500; ++i)
            push(queue, 0, i);
        QVERIFY(g_alive.load() > 0);
        queue.Stop();
        // What was not processed is released, not leaked.
        QVERIFY(queue.handled.load() < 500);
        QCOMPARE(g_alive.load(), 0L);
        QCOMPARE(queue.QueueSize(), size_t(0));
    }

    void queueGrowsPastTheMarkWithoutLoss()
    {
        RecordingQueue queue(1);
        // Nothing is consumed until started: the queue has to hold everything.
        for (int i = 0; i < 5000; ++i)
            push(queue, 0, i);
        QCOMPARE(queue.QueueSize(), size_t(5000));
        QVERIFY(queue.Start());
        QTRY_COMPARE(queue.handled.load(), 5000L);
        QCOMPARE(queue.outOfOrder.load(), 0L);
    }

    void restartAfterStop()
    {
        RecordingQueue queue(1);
        QVERIFY(queue.Start());
        QVERIFY(!queue.Start());
        push(queue, 0, 0);
        QTRY_COMPARE(queue.handled.load(), 1L);
        queue.Stop();
        QVERIFY(queue.Start());
        push(queue, 0, 1);
        QTRY_COMPARE(queue.handled.load(), 2L);
    }
};

QTEST_GUILESS_MAIN(tst_DMessageQueue)
#include "tst_dmessagequeue.moc"
