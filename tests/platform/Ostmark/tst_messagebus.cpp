#include "Ostmark/IWebNotifyBusHost.h"
#include "Ostmark/MessageBus.h"
#include "Ostmark/ModuleNotifyBus.h"
#include "Ostmark/WebNotifyBus.h"

#include <QtTest>

#include <mutex>
#include <thread>

namespace {

class RecordingHost : public IWebNotifyBusHost
{
public:
    bool onRPCBusNotify(QString text) override { return add(m_rpc, text); }
    bool onModuleBusNotify(QString text) override { return add(m_module, text); }

    QStringList rpc() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_rpc;
    }
    QStringList module() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_module;
    }
    bool accept = true;

private:
    bool add(QStringList &list, const QString &text)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        list.append(text);
        return accept;
    }
    mutable std::mutex m_mutex;
    QStringList m_rpc;
    QStringList m_module;
};

} // namespace

class tst_MessageBus : public QObject
{
    Q_OBJECT

private slots:
    void notificationsReachTheHostByName()
    {
        RecordingHost main;
        RecordingHost other;
        MessageBus::instance()->initRPCNotifyBus(&main, QStringLiteral("Main"));
        MessageBus::instance()->initModuleNotifyBus(&main, QStringLiteral("Main"));
        MessageBus::instance()->initRPCNotifyBus(&other, QStringLiteral("MsgCenter"));

        const QJsonObject notify {{QStringLiteral("method"), QStringLiteral("ExitApp")},
                                  {QStringLiteral("params"), QJsonObject()},
                                  {QStringLiteral("id"), 1}};
        QVERIFY(WebNotifyBus::sendRPCNotify(notify, QStringLiteral("Main")));
        QCOMPARE(main.rpc(),
                 QStringList {QStringLiteral(R"({"id":1,"method":"ExitApp","params":{}})")});
        QVERIFY(main.module().isEmpty());
        QVERIFY(other.rpc().isEmpty());

        // The module bus is a registry of its own: MsgCenter is not on it.
        const QJsonObject read {{QStringLiteral("method"), QStringLiteral("MessageRead")},
                                {QStringLiteral("params"), QJsonObject()}};
        QVERIFY(!ModuleNotifyBus::sendModuleNotify(read, QStringLiteral("MsgCenter")));
        QVERIFY(ModuleNotifyBus::sendModuleNotify(read, QStringLiteral("Main")));
        QCOMPARE(main.module(),
                 QStringList {QStringLiteral(R"({"method":"MessageRead","params":{}})")});

        QVERIFY(!WebNotifyBus::sendRPCNotify(notify, QStringLiteral("Nobody")));
        main.accept = false; // the host's answer is the sender's result
        QVERIFY(!WebNotifyBus::sendRPCNotify(notify, QStringLiteral("Main")));

        MessageBus::instance()->removeHost(&main);
        MessageBus::instance()->removeHost(&other);
        QVERIFY(!MessageBus::instance()->hasRPCHost(QStringLiteral("Main")));
        QVERIFY(!MessageBus::instance()->hasModuleHost(QStringLiteral("Main")));
        QVERIFY(!WebNotifyBus::sendRPCNotify(notify, QStringLiteral("MsgCenter")));
    }

    // The web message queue sends its replies from its worker thread while the GUI thread
    // sends too; each send arrives whole, and removing the host waits for a running call.
    void sendsFromSeveralThreads()
    {
        RecordingHost host;
        MessageBus::instance()->initRPCNotifyBus(&host, QStringLiteral("Main"));
        auto sender = [](int base) {
            for (int i = 0; i < 200; ++i)
                WebNotifyBus::sendRPCNotify({{QStringLiteral("n"), base + i}},
                                            QStringLiteral("Main"));
        };
        std::thread a(sender, 0);
        std::thread b(sender, 1000);
        sender(2000);
        a.join();
        b.join();
        MessageBus::instance()->removeHost(&host);

        const QStringList texts = host.rpc();
        QCOMPARE(texts.size(), 600);
        QSet<int> seen;
        for (const QString &t : texts)
            seen.insert(
                QJsonDocument::fromJson(t.toUtf8()).object().value(QStringLiteral("n")).toInt());
        QCOMPARE(seen.size(), 600);
    }

    void aLaterHostReplacesTheEarlierUnderOneName()
    {
        RecordingHost first;
        RecordingHost second;
        MessageBus::instance()->initRPCNotifyBus(&first, QStringLiteral("Main"));
        MessageBus::instance()->initRPCNotifyBus(&second, QStringLiteral("Main"));
        QVERIFY(WebNotifyBus::sendRPCNotify({}, QStringLiteral("Main")));
        QVERIFY(first.rpc().isEmpty());
        QCOMPARE(second.rpc(), QStringList {QStringLiteral("{}")});
        MessageBus::instance()->removeHost(&first); // not registered any more: no effect
        QVERIFY(MessageBus::instance()->hasRPCHost(QStringLiteral("Main")));
        MessageBus::instance()->removeHost(&second);
    }
};

QTEST_GUILESS_MAIN(tst_MessageBus)
#include "tst_messagebus.moc"
