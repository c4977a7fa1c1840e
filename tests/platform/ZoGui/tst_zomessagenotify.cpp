#include "ZoGui/ZoGlobal.h"
#include "ZoGui/ZoMessageNotify.h"
#include "ZoGui/ZoNotifyProtocol.h"
#include "os/OsProcess.h"

#include <QtTest>

#include <QGuiApplication>
#include <QJsonArray>
#include <QLocalServer>
#include <QLocalSocket>
#include <QScreen>

#include <thread>

#ifdef Q_OS_UNIX
#include <signal.h>
#endif

using ZoGUI::ZoMessageNotify;
using ZoGUI::ZoNotifyProtocol;

class tst_ZoMessageNotify : public QObject
{
    Q_OBJECT

    // A copy of the helper under a name of its own: clients started by other tests end every
    // "ZoMessageNotify" by name, and must not end ours.
    QTemporaryDir m_helperDir;
    QString m_helper;

    // The helper on its own, talking to a server of the test.
    struct RawHelper
    {
        QLocalServer server;
        QProcess process;
        QLocalSocket *socket = nullptr; // child of the server

        bool start(const QString &program)
        {
            const QString name
                = QStringLiteral("tst_zonotify_raw_%1").arg(QCoreApplication::applicationPid());
            QLocalServer::removeServer(name);
            if (!server.listen(name))
                return false;
            process.setProcessChannelMode(QProcess::ForwardedChannels);
            process.start(program, {QStringLiteral("--server"), name});
            if (!process.waitForStarted() || !server.waitForNewConnection(10000))
                return false;
            socket = server.nextPendingConnection();
            return socket != nullptr;
        }
    };

    // The helper's next line, or an empty object when none comes within ten seconds.
    static QJsonObject nextMessage(QLocalSocket *socket)
    {
        QDeadlineTimer deadline(10000);
        while (!socket->canReadLine() && !deadline.hasExpired())
            socket->waitForReadyRead(int(deadline.remainingTime()));
        QJsonObject message;
        if (!socket->canReadLine() || !ZoNotifyProtocol::decode(socket->readLine(), &message))
            return {};
        return message;
    }

private slots:
    void initTestCase()
    {
        qRegisterMetaType<QProcess::ExitStatus>();
        QVERIFY(m_helperDir.isValid());
        m_helper = m_helperDir.filePath(
            os::OsProcess::executableFileName(QStringLiteral("tst_zomessagenotify_helper")));
        QVERIFY(
            QFile::copy(QStringLiteral(KORVEL_BIN_DIR "/")
                            + os::OsProcess::executableFileName(QStringLiteral("ZoMessageNotify")),
                        m_helper));
        ZoGUI::SetProgramType(
            QStringLiteral("tst_zomessagenotify_%1").arg(QCoreApplication::applicationPid()));
    }

    // Through the library: texts queued before the helper runs, texts from another thread and
    // the title all reach popups; AbouttoQuitApp ends the helper.
    void endToEnd()
    {
        ZoMessageNotify *notify = ZoMessageNotify::instance();
        QCOMPARE(ZoMessageNotify::instance(), notify);
        QSignalSpy shown(notify, &ZoMessageNotify::sgnNotificationShown);
        QSignalSpy finished(notify, &ZoMessageNotify::sgnHelperFinished);

        notify->setHelperProgram(m_helperDir.filePath(QStringLiteral("missing")));
        QVERIFY(!notify->StartMessageProcess()); // no helper there: reported, nothing runs

        notify->SetParam({QStringLiteral("/nonexistent/ZoMessageNotify_en.qm")},
                         {QStringLiteral("ZodovEvor")}, QStringLiteral("English"));
        const quint64 early = notify->AddTextNotification(QStringLiteral("queued early"));
        notify->setHelperProgram(m_helper);
        QVERIFY(notify->StartMessageProcess());
        notify->SetMessageNotifyTitle(QStringLiteral("Title"));

        QTRY_COMPARE_WITH_TIMEOUT(shown.count(), 1, 10000);
        QCOMPARE(shown.at(0).at(0).toULongLong(), early);
        QCOMPARE(shown.at(0).at(1).toString(), QStringLiteral("Title"));
        QCOMPARE(shown.at(0).at(2).toString(), QStringLiteral("queued early"));
        QVERIFY(notify->isHelperConnected());

        quint64 fromWorker = 0;
        std::thread worker([&] {
            fromWorker = notify->AddTextNotification(QStringLiteral("Json error:illegal value"));
        });
        worker.join();
        QTRY_COMPARE_WITH_TIMEOUT(shown.count(), 2, 10000);
        QCOMPARE(shown.at(1).at(0).toULongLong(), fromWorker);
        QCOMPARE(shown.at(1).at(2).toString(), QStringLiteral("Json error:illegal value"));
        notify->SetMessageNotifyTitle(QStringLiteral("Other"));
        const quint64 last = notify->AddTextNotification(QStringLiteral("<b>Failed</b>"));
        QTRY_COMPARE_WITH_TIMEOUT(shown.count(), 3, 10000);
        QCOMPARE(shown.at(2).at(0).toULongLong(), last);
        QCOMPARE(shown.at(2).at(1).toString(), QStringLiteral("Other"));
        QCOMPARE(shown.at(2).at(2).toString(), QStringLiteral("<b>Failed</b>"));

        notify->AbouttoQuitApp();
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 5000);
        QCOMPARE(finished.at(0).at(0).toInt(), 0);
        QVERIFY(!notify->isHelperConnected());
        QCOMPARE(notify->helperProcessId(), qint64(0));
    }

    // A helper killed from outside (a second client's start-up ends helpers by name) comes
    // back, and the text it had taken but not shown appears in the new one.
    void killedHelperIsReplacedAndNothingIsLost()
    {
#ifndef Q_OS_UNIX
        QSKIP("holds the helper with SIGSTOP");
#else
        ZoMessageNotify *notify = ZoMessageNotify::instance();
        notify->setHelperProgram(m_helper);
        QSignalSpy connected(notify, &ZoMessageNotify::sgnHelperConnected);
        QSignalSpy shown(notify, &ZoMessageNotify::sgnNotificationShown);
        QVERIFY(notify->StartMessageProcess());
        QVERIFY(connected.wait(10000));
        const qint64 first = notify->helperProcessId();
        QVERIFY(first > 0);

        // Stopped, the helper cannot show what it is sent before it is killed.
        QCOMPARE(::kill(pid_t(first), SIGSTOP), 0);
        const quint64 id = notify->AddTextNotification(QStringLiteral("taken, never shown"));
        QVERIFY(os::OsProcess::terminate(first));
        QTRY_COMPARE_WITH_TIMEOUT(connected.count(), 2, 10000);
        QVERIFY(notify->helperProcessId() > 0 && notify->helperProcessId() != first);
        QTRY_COMPARE_WITH_TIMEOUT(shown.count(), 1, 10000);
        QCOMPARE(shown.at(0).at(0).toULongLong(), id);
        QCOMPARE(shown.at(0).at(2).toString(), QStringLiteral("taken, never shown"));

        QSignalSpy finished(notify, &ZoMessageNotify::sgnHelperFinished);
        notify->AbouttoQuitApp();
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 5000);
        QCOMPARE(finished.at(0).at(0).toInt(), 0);
#endif
    }

    // It ignores a bad line, stacks popups on the screen and ends with 0 when the client's
    // socket closes.
    void helperEndsWhenTheSocketCloses()
    {
        RawHelper helper;
        QVERIFY(helper.start(m_helper));
        QLocalSocket *socket = helper.socket;

        socket->write("not json\n{\"type\":\"text\",\"id\":");
        socket->write("1,\"text\":\"one\"}\n");
        socket->write(ZoNotifyProtocol::encode({{"type", "text"}, {"id", 2}, {"text", "two"}}));
        const QJsonObject one = nextMessage(socket);
        const QJsonObject two = nextMessage(socket);
        QCOMPARE(one.value("type").toString(), QStringLiteral("shown"));
        QCOMPARE(one.value("id").toInt(), 1);
        QCOMPARE(one.value("title").toString(), QStringLiteral("Notice")); // no title given
        QCOMPARE(two.value("id").toInt(), 2);

        auto rect = [](const QJsonObject &m) {
            const QJsonArray g = m.value("geometry").toArray();
            return QRect(g.at(0).toInt(), g.at(1).toInt(), g.at(2).toInt(), g.at(3).toInt());
        };
        const QRect first = rect(one);
        const QRect second = rect(two);
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(first.isValid() && second.isValid());
        QVERIFY(area.contains(second));
        QVERIFY(second.right() > area.center().x() && second.bottom() > area.center().y());
        // Each popup is reported where it first appears: the corner, before newer ones
        // push it up (the stacking itself is covered by the popup stack's own test).
        QCOMPARE(first.bottomRight(), second.bottomRight());

        QSignalSpy ended(&helper.process,
                         QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished));
        socket->close();
        QVERIFY(ended.wait(10000));
        QCOMPARE(helper.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(helper.process.exitCode(), 0);
    }

    // The translation files of "param" are the helper's own: the default title comes from the
    // compiled Chinese translation of the program folder.
    void paramTranslatesTheHelper()
    {
        RawHelper helper;
        QVERIFY(helper.start(m_helper));
        const QString qm
            = QStringLiteral(KORVEL_BIN_DIR "/Language/Language_zh/ZoMessageNotify_zh.qm");
        QVERIFY(QFileInfo::exists(qm));
        helper.socket->write(ZoNotifyProtocol::encode({{"type", "param"},
                                                       {"translations", QJsonArray {qm}},
                                                       {"skins", QJsonArray {"ZodovEvor"}},
                                                       {"language", "Chinese"}}));
        helper.socket->write(
            ZoNotifyProtocol::encode({{"type", "text"}, {"id", 7}, {"text", "x"}}));
        const QJsonObject shown = nextMessage(helper.socket);
        QCOMPARE(shown.value("id").toInt(), 7);
        QCOMPARE(shown.value("title").toString(), QString::fromUtf8("提示"));

        helper.socket->write(ZoNotifyProtocol::encode({{"type", "quit"}}));
        QVERIFY(helper.socket->flush());
        QVERIFY(helper.process.waitForFinished(10000));
        QCOMPARE(helper.process.exitCode(), 0);
    }

    void helperWithoutClientEnds()
    {
        QProcess helper;
        helper.setProcessChannelMode(QProcess::ForwardedChannels);
        helper.start(m_helper, {QStringLiteral("--server"), QStringLiteral("tst_zonotify_nobody")});
        QVERIFY(helper.waitForFinished(15000));
        QCOMPARE(helper.exitCode(), 1);
    }
};

QTEST_MAIN(tst_ZoMessageNotify)
#include "tst_zomessagenotify.moc"
