#pragma once

#include "Ostmark/IWebNotifyBusHost.h"
#include "Ostmark/MessageBus.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QList>

#include <mutex>

// A real bus host under a name (normally "Main"): keeps every notification that reaches it,
// parsed, in arrival order. Any thread.
class RecordingBusHost : public IWebNotifyBusHost
{
public:
    explicit RecordingBusHost(const QString &name = QStringLiteral("Main"))
    {
        MessageBus::instance()->initRPCNotifyBus(this, name);
    }
    ~RecordingBusHost() { MessageBus::instance()->removeHost(this); }

    bool onRPCBusNotify(QString text) override
    {
        const QJsonObject object = QJsonDocument::fromJson(text.toUtf8()).object();
        std::lock_guard<std::mutex> lock(m_mutex);
        m_notifications.append(object);
        received(object);
        return true;
    }
    bool onModuleBusNotify(QString) override { return false; }

    QList<QJsonObject> notifications() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_notifications;
    }
    int count() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_notifications.size();
    }
    void clear()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_notifications.clear();
    }

protected:
    // Called under the lock, on the sender's thread.
    virtual void received(const QJsonObject &) { }

    mutable std::mutex m_mutex;

private:
    QList<QJsonObject> m_notifications;
};
