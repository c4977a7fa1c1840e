#include "MessageBus.h"

#include "IWebNotifyBusHost.h"

#include "lumo/DPrintLog.h"

#include <mutex>

MessageBus *MessageBus::instance()
{
    static MessageBus bus;
    return &bus;
}

void MessageBus::initRPCNotifyBus(IWebNotifyBusHost *host, const QString &moduleName)
{
    std::unique_lock<std::shared_mutex> lock(m_mutex);
    if (host)
        m_mapRPCHosts.insert(moduleName, host);
    else
        m_mapRPCHosts.remove(moduleName);
}

void MessageBus::initModuleNotifyBus(IWebNotifyBusHost *host, const QString &moduleName)
{
    std::unique_lock<std::shared_mutex> lock(m_mutex);
    if (host)
        m_mapModuleHosts.insert(moduleName, host);
    else
        m_mapModuleHosts.remove(moduleName);
}

void MessageBus::removeHost(IWebNotifyBusHost *host)
{
    std::unique_lock<std::shared_mutex> lock(m_mutex);
    for (QMap<QString, IWebNotifyBusHost *> *map : {&m_mapRPCHosts, &m_mapModuleHosts}) {
        for (auto it = map->begin(); it != map->end();) {
            if (it.value() == host)
                it = map->erase(it);
            else
                ++it;
        }
    }
}

bool MessageBus::hasRPCHost(const QString &moduleName) const
{
    std::shared_lock<std::shared_mutex> lock(m_mutex);
    return m_mapRPCHosts.contains(moduleName);
}

bool MessageBus::hasModuleHost(const QString &moduleName) const
{
    std::shared_lock<std::shared_mutex> lock(m_mutex);
    return m_mapModuleHosts.contains(moduleName);
}

bool MessageBus::deliverRPC(const QString &moduleName, const QString &text) const
{
    std::shared_lock<std::shared_mutex> lock(m_mutex);
    IWebNotifyBusHost *host = m_mapRPCHosts.value(moduleName);
    if (!host) {
        LUMO_LOG(6, "no RPC notify host named [%s]", qUtf8Printable(moduleName));
        return false;
    }
    return host->onRPCBusNotify(text);
}

bool MessageBus::deliverModule(const QString &moduleName, const QString &text) const
{
    std::shared_lock<std::shared_mutex> lock(m_mutex);
    IWebNotifyBusHost *host = m_mapModuleHosts.value(moduleName);
    if (!host) {
        LUMO_LOG(6, "no module notify host named [%s]", qUtf8Printable(moduleName));
        return false;
    }
    return host->onModuleBusNotify(text);
}
