#pragma once

#include "Ostmark/NetworkHelperListener.h"
#include "Ostmark/NetworkListener.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QThread>

#include <mutex>

// Records what a Network object or the global helper reports, and on which thread.
struct NetworkEvent
{
    enum Kind { Data, Finished, Error } kind;
    QByteArray data;
    QString name;
    Common::NetworkError error;
    QString text;
    QThread *thread = nullptr;
};

class NetworkRecorder : public Common::NetworkListener, public Common::NetworkHelperListener
{
public:
    void onNetworkData(const QByteArray &chunk, const QString &name) override
    {
        add({NetworkEvent::Data, chunk, name, {}, {}, QThread::currentThread()});
    }
    void onNetworkFinished(const QString &name) override
    {
        add({NetworkEvent::Finished, {}, name, {}, {}, QThread::currentThread()});
    }
    void onNetworkError(Common::NetworkError error, const QString &text,
                        const QString &name) override
    {
        add({NetworkEvent::Error, {}, name, error, text, QThread::currentThread()});
    }
    void onNetworkRequestError(Common::NetworkError error, const QString &text,
                               const QString &name) override
    {
        onNetworkError(error, text, name);
    }

    QList<NetworkEvent> events() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_events;
    }
    int count() const { return events().size(); }
    bool done() const
    {
        const QList<NetworkEvent> all = events();
        return !all.isEmpty() && all.last().kind != NetworkEvent::Data;
    }
    QByteArray body() const
    {
        QByteArray all;
        for (const NetworkEvent &e : events())
            if (e.kind == NetworkEvent::Data)
                all += e.data;
        return all;
    }
    void clear()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_events.clear();
    }

private:
    void add(const NetworkEvent &e)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_events.append(e);
    }

    mutable std::mutex m_mutex;
    QList<NetworkEvent> m_events;
};
