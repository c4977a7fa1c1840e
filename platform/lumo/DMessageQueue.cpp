#include "DMessageQueue.h"

#include "DMessage.h"
#include "DPrintLog.h"

#include <algorithm>

namespace lumo {

DMessageQueue::DMessageQueue(int workerCount, int highWaterMark)
    : m_workerCount(std::max(1, workerCount))
    , m_highWaterMark(static_cast<size_t>(std::max(1, highWaterMark)))
{
}

DMessageQueue::~DMessageQueue()
{
    // A subclass must Stop() before it is destroyed, or the workers would call a
    // processMsg() of an object already half gone; this only catches the base case.
    Stop();
}

bool DMessageQueue::Start()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_workers.empty())
        return false;
    m_stopping = false;
    m_stopRequested.store(false, std::memory_order_relaxed);
    for (int i = 0; i < m_workerCount; ++i)
        m_workers.emplace_back(&DMessageQueue::run, this);
    return true;
}

void DMessageQueue::SignalStop()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
        m_stopRequested.store(true, std::memory_order_relaxed);
    }
    m_wake.notify_all();
}

void DMessageQueue::Stop()
{
    SignalStop();
    std::vector<std::thread> workers;
    std::deque<DMessage *> left;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        workers.swap(m_workers);
    }
    for (std::thread &worker : workers) {
        if (worker.get_id() == std::this_thread::get_id())
            worker.detach(); // Stop() from processMsg(): the worker ends when it returns
        else
            worker.join();
    }
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        left.swap(m_queue);
        m_aboveMark = false;
    }
    for (DMessage *msg : left) {
        msg->release();
        m_pending.fetch_sub(1, std::memory_order_relaxed);
    }
}

bool DMessageQueue::PushMsg(DMessage *msg)
{
    if (!msg)
        return false;
    msg->addRef();
    bool crossed = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_queue.push_back(msg);
        const size_t pending = m_pending.fetch_add(1, std::memory_order_relaxed) + 1;
        if (pending > m_highWaterMark && !m_aboveMark) {
            m_aboveMark = true;
            crossed = true;
        }
    }
    m_wake.notify_one();
    if (crossed)
        LUMO_LOG(5, "queue %p grew past %zu messages; the consumer is behind", (void *)this,
                 m_highWaterMark);
    return true;
}

size_t DMessageQueue::QueueSize()
{
    return m_pending.load(std::memory_order_relaxed);
}

void DMessageQueue::run()
{
    // A single worker takes everything queued in one go, which keeps the pusher and the
    // worker off each other's lock; several workers take one message at a time.
    std::deque<DMessage *> batch;
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
        if (m_stopping)
            return;
        if (m_workerCount == 1) {
            batch.swap(m_queue);
        } else {
            batch.push_back(m_queue.front());
            m_queue.pop_front();
        }
        lock.unlock();
        while (!batch.empty()) {
            DMessage *msg = batch.front();
            batch.pop_front();
            if (m_stopRequested.load(std::memory_order_relaxed)) {
                msg->release(); // Stop(): what is left goes unprocessed
            } else {
                processMsg(msg);
                msg->release();
            }
            m_pending.fetch_sub(1, std::memory_order_relaxed);
        }
        lock.lock();
        if (m_aboveMark && m_pending.load(std::memory_order_relaxed) <= m_highWaterMark / 2)
            m_aboveMark = false;
    }
}

} // namespace lumo
