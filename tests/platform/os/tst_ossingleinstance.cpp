#include "os/OsSingleInstance.h"

#include <QtTest>

#include <signal.h>

class tst_OsSingleInstance : public QObject
{
    Q_OBJECT

    QString m_key;

    bool startHolder(QProcess &holder, QByteArray *answer)
    {
        holder.start(QStringLiteral(KORVEL_TEST_BIN_DIR "/instance_holder"), {m_key});
        if (!holder.waitForStarted(10000))
            return false;
        if (!holder.waitForReadyRead(10000))
            return false;
        *answer = holder.readLine().trimmed();
        return true;
    }

private slots:
    void init()
    {
        m_key = QStringLiteral("KorvelTest-%1-%2")
                    .arg(QCoreApplication::applicationPid())
                    .arg(QRandomGenerator::global()->generate());
    }

    void liveHolderRefusesTheNext()
    {
        QProcess holder;
        QByteArray answer;
        QVERIFY(startHolder(holder, &answer));
        QCOMPARE(answer, QByteArray("held"));

        os::OsSingleInstance second(m_key);
        QVERIFY(!second.create());
        QVERIFY(!second.isHeld());

        holder.kill();
        holder.waitForFinished();
        os::OsSingleInstance cleanup(m_key); // leaves no segment behind
        QVERIFY(cleanup.create());
    }

    void killedHolderDoesNotBlockTheNext()
    {
        QProcess holder;
        QByteArray answer;
        QVERIFY(startHolder(holder, &answer));
        QCOMPARE(answer, QByteArray("held"));
        ::kill(pid_t(holder.processId()), SIGKILL);
        QVERIFY(holder.waitForFinished(10000));

        os::OsSingleInstance next(m_key);
        QVERIFY2(next.create(), qPrintable(next.errorString()));
        QVERIFY(next.isHeld());

        // And now this process is the live holder.
        QProcess third;
        QVERIFY(startHolder(third, &answer));
        QCOMPARE(answer, QByteArray("refused"));
        third.waitForFinished();
    }

    void releaseLetsTheNextIn()
    {
        os::OsSingleInstance first(m_key);
        QVERIFY(first.create());
        first.release();
        os::OsSingleInstance second(m_key);
        QVERIFY(second.create());
    }
};

QTEST_GUILESS_MAIN(tst_OsSingleInstance)
#include "tst_ossingleinstance.moc"
