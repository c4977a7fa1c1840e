#include "lumo/DTimerHandler.h"
#include "lumo/DTimerMgr.h"

#include <QtTest>

#include <atomic>
#include <thread>

namespace {

class CountingHandler : public lumo::DTimerHandler
{
public:
    void OnTimer(unsigned int timerId) override
    {
        lastId = timerId;
        thread = std::this_thread::get_id();
        ++calls;
    }
    std::atomic<unsigned int> lastId{0};
    std::atomic<int> calls{0};
    std::thread::id thread;
};

} // namespace

class tst_DTimerMgr : public QObject
{
    Q_OBJECT

private slots:
    void firesOnceOnItsOwnThread()
    {
        lumo::DTimerMgr mgr;
        CountingHandler handler;
        const unsigned int id = mgr.CreateTimer(&handler);
        QVERIFY(id != 0);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(mgr.StartTimer(id, 50));
        QTRY_COMPARE(handler.calls.load(), 1);
        QVERIFY(clock.elapsed() >= 45);
        QCOMPARE(handler.lastId.load(), id);
        QVERIFY(handler.thread != std::this_thread::get_id());
        // One shot: it stays quiet until armed again.
        QTest::qWait(100);
        QCOMPARE(handler.calls.load(), 1);
        QVERIFY(mgr.StartTimer(id, 1));
        QTRY_COMPARE(handler.calls.load(), 2);
        mgr.DestroyTimer(id);
    }

    void stoppedOrDestroyedTimersStayQuiet()
    {
        lumo::DTimerMgr mgr;
        CountingHandler stopped, destroyed, control;
        const unsigned int a = mgr.CreateTimer(&stopped);
        const unsigned int b = mgr.CreateTimer(&destroyed);
        const unsigned int c = mgr.CreateTimer(&control);
        mgr.StartTimer(a, 30);
        mgr.StartTimer(b, 30);
        mgr.StartTimer(c, 60);
        QVERIFY(mgr.StopTimer(a));
        QVERIFY(mgr.DestroyTimer(b));
        QTRY_COMPARE(control.calls.load(), 1);
        QCOMPARE(stopped.calls.load(), 0);
        QCOMPARE(destroyed.calls.load(), 0);
        QVERIFY(!mgr.StartTimer(b, 1));
        QCOMPARE(mgr.CreateTimer(nullptr), 0u);
    }
};

QTEST_GUILESS_MAIN(tst_DTimerMgr)
#include "tst_dtimermgr.moc"
