#pragma once

#include "NetworkError.h"
#include "ostmark_global.h"

#include <QString>

#include <mutex>
#include <vector>

class QObject;

namespace Common {

class NetworkHelperListener;

// The process-wide watcher of failed requests: every failure of every Network object, on
// any thread, also reaches the one global listener (the main window tells the page about
// HTTP 401 this way).
//
// The listener is called on the thread that registered it, through that thread's event loop
// when the failure happened on another thread. Any thread may call.
class OSTMARK_EXPORT NetworkHelper
{
public:
    static NetworkHelper *instance();

    // Replaces the global listener; nullptr removes it. A failure still on its way to a
    // removed listener is dropped.
    void setGlobalDealwithObj(NetworkHelperListener *listener);
    NetworkHelperListener *globalDealwithObj() const;

    // Called by Network for each failed request.
    void reportError(Common::NetworkError error, const QString &text, const QString &name);

    NetworkHelper(const NetworkHelper &) = delete;
    NetworkHelper &operator=(const NetworkHelper &) = delete;

private:
    NetworkHelper() = default;
    void deliver(quint64 generation, Common::NetworkError error, const QString &text,
                 const QString &name);

    mutable std::mutex m_mutex;
    NetworkHelperListener *m_pListener = nullptr;
    QObject *m_pContext = nullptr; // lives on the listener's thread
    std::vector<QObject *> m_vecContexts;
    quint64 m_generation = 0;
};

} // namespace Common
