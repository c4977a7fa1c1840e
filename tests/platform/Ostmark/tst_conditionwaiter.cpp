#include "Ostmark/ConditionWaiter.h"

#include <QtTest>

class tst_ConditionWaiter : public QObject
{
    Q_OBJECT

private slots:
    // Each row is a sequence of "name" (set true), "-name" (set false) or "reset", and the
    // number of conditionFinish signals it must give.
    void finishesOnceAllAreTrue_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<int>("finishes");
        QTest::newRow("success then info") << QStringList {"succ", "info"} << 1;
        QTest::newRow("info then success") << QStringList {"info", "succ"} << 1;
        QTest::newRow("one repeated alone") << QStringList {"succ", "succ", "succ"} << 0;
        QTest::newRow("repeat after completion")
            << QStringList {"succ", "info", "info", "succ"} << 1;
        QTest::newRow("reset, then a new pair")
            << QStringList {"succ", "info", "reset", "info", "succ"} << 2;
        QTest::newRow("reset, then one alone")
            << QStringList {"succ", "info", "reset", "succ"} << 1;
        QTest::newRow("cleared again before the pair")
            << QStringList {"succ", "-succ", "info"} << 0;
        QTest::newRow("unknown names complete nothing") << QStringList {"succ", "other"} << 0;
    }

    void finishesOnceAllAreTrue()
    {
        QFETCH(QStringList, steps);
        QFETCH(int, finishes);
        ConditionWaiter waiter;
        waiter.initConditionMap(QMap<QString, bool> {{QStringLiteral("LoginSuccCondtion"), false},
                                                     {QStringLiteral("LoginInfoCondtion"), false}});
        QSignalSpy spy(&waiter, &ConditionWaiter::conditionFinish);
        const QMap<QString, QString> names {{"succ", "LoginSuccCondtion"},
                                            {"info", "LoginInfoCondtion"},
                                            {"other", "SomethingElse"}};
        for (const QString &step : steps) {
            if (step == QLatin1String("reset"))
                waiter.resetConditionMap();
            else if (step.startsWith(QLatin1Char('-')))
                waiter.setConditionStatus(names.value(step.mid(1)), false);
            else
                waiter.setConditionStatus(names.value(step), true);
        }
        QCOMPARE(spy.count(), finishes);
    }

    void anEmptySetNeverFinishes()
    {
        ConditionWaiter waiter;
        QSignalSpy spy(&waiter, &ConditionWaiter::conditionFinish);
        waiter.setConditionStatus(QStringLiteral("x"), true);
        QVERIFY(!waiter.allConditionsMet());
        QCOMPARE(spy.count(), 0);
    }
};

QTEST_GUILESS_MAIN(tst_ConditionWaiter)
#include "tst_conditionwaiter.moc"
