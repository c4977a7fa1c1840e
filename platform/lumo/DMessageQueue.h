#pragma once

#include "DRefObj.h"

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace lumo {

class DMessage;

// A worker-thread message queue. Subclasses override processMsg(), which runs on the
// worker thread for every pushed message, one at a time, in push order.
//
// PushMsg() takes the queue's own reference on the message; the reference is released
// after processMsg() returns, or by Stop() for messages that were never processed.
//
// A full queue never drops a message and never blocks the pusher: pushers are GUI threads,
// and a consumer that hands work back to the GUI thread with a blocking queued call would
// deadlock against a pusher waiting for room. Past the high-water mark the queue grows and
// logs once each time it crosses the mark, so a stuck consumer shows up in the log.
class LUMO_EXPORT DMessageQueue : public DRefObj
{
public:
    // workerCount: number of worker threads; order is kept only with one worker.
    // highWaterMark: queue length past which growth is logged.
    DMessageQueue(int workerCount, int highWaterMark);
    ~DMessageQueue() override;

    DMessageQueue(const DMessageQueue &) = delete;
    DMessageQueue &operator=(const DMessageQueue &) = delete;

    virtual bool Start();
    // Asks the workers to finish after the message in hand; returns at once.
    virtual void SignalStop();
    // Stops and joins the workers, then releases every message still queued unprocessed.
    virtual void Stop();
    virtual bool PushMsg(DMessage *msg);
    virtual size_t QueueSize();

protected:
    virtual void processMsg(DMessage *msg) = 0;

private:
    void run();

    const int m_workerCount;
    const size_t m_highWaterMark;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<DMessage *> m_queue;
    std::vector<std::thread> m_workers;
    std::atomic<size_t> m_pending{0}; // queued plus taken but not yet processed
    std::atomic<bool> m_stopRequested{false};
    bool m_stopping = false;
    bool m_aboveMark = false;
};

} // namespace lumo
