#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <functional>

namespace korveltest {

// Waits in the event loop, woken every 20 ms, until done() or the time-out. QtWebEngine needs
// the loop running rather than a sleeping wait (QTest::qWaitFor sleeps between checks and
// starves it), and this keeps working after the application has been asked to exit.
inline bool waitUntil(const std::function<bool()> &done, int timeoutMs = 20000)
{
    QTimer wake;
    wake.start(20);
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return done();
}

} // namespace korveltest
