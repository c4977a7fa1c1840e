#include "NetworkHelper.h"

#include "NetworkHelperListener.h"

#include <QObject>
#include <QThread>

namespace Common {

NetworkHelper *NetworkHelper::instance()
{
    static NetworkHelper helper;
    return &helper;
}

void NetworkHelper::setGlobalDealwithObj(NetworkHelperListener *listener)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_pListener = listener;
    ++m_generation;
    if (!listener)
        return;
    // The context object carries deliveries to the registering thread. One is kept per
    // thread and never deleted, so a failure on its way to it never finds it gone.
    for (QObject *context : m_vecContexts) {
        if (context->thread() == QThread::currentThread()) {
            m_pContext = context;
            return;
        }
    }
    m_pContext = new QObject;
    m_vecContexts.push_back(m_pContext);
}

NetworkHelperListener *NetworkHelper::globalDealwithObj() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_pListener;
}

void NetworkHelper::reportError(NetworkError error, const QString &text, const QString &name)
{
    QObject *context = nullptr;
    quint64 generation = 0;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_pListener)
            return;
        context = m_pContext;
        generation = m_generation;
    }
    if (context->thread() == QThread::currentThread()) {
        deliver(generation, error, text, name);
        return;
    }
    QMetaObject::invokeMethod(
        context, [this, generation, error, text, name] { deliver(generation, error, text, name); },
        Qt::QueuedConnection);
}

void NetworkHelper::deliver(quint64 generation, NetworkError error, const QString &text,
                            const QString &name)
{
    NetworkHelperListener *listener = nullptr;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (generation != m_generation)
            return;
        listener = m_pListener;
    }
    // Called outside the lock, so the listener may replace itself.
    if (listener)
        listener->onNetworkRequestError(error, text, name);
}

} // namespace Common
