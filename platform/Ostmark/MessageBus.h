#pragma once

#include "ostmark_global.h"

#include <QMap>
#include <QString>

#include <shared_mutex>

class IWebNotifyBusHost;

// The registry of the two notification buses: module name -> host. The RPC bus carries
// notifications for a view's page (WebNotifyBus::sendRPCNotify), the module bus
// notifications between modules and from app plugins (ModuleNotifyBus::sendModuleNotify).
//
// Thread-safe. A delivery holds the registry's read lock while it calls the host, so once
// removeHost has returned no call to that host is running or will start: a host that may
// die before the process does removes itself first.
class OSTMARK_EXPORT MessageBus
{
public:
    static MessageBus *instance();

    // Registers the host under the name on one bus; a second host under the same name
    // replaces the first.
    void initRPCNotifyBus(IWebNotifyBusHost *host, const QString &moduleName);
    void initModuleNotifyBus(IWebNotifyBusHost *host, const QString &moduleName);

    // Takes the host off both buses, under every name it had.
    void removeHost(IWebNotifyBusHost *host);

    bool hasRPCHost(const QString &moduleName) const;
    bool hasModuleHost(const QString &moduleName) const;

    // The two sends, for WebNotifyBus and ModuleNotifyBus: false when no host has the name
    // or the host refused the text.
    bool deliverRPC(const QString &moduleName, const QString &text) const;
    bool deliverModule(const QString &moduleName, const QString &text) const;

    MessageBus(const MessageBus &) = delete;
    MessageBus &operator=(const MessageBus &) = delete;

private:
    MessageBus() = default;

    mutable std::shared_mutex m_mutex;
    QMap<QString, IWebNotifyBusHost *> m_mapRPCHosts;
    QMap<QString, IWebNotifyBusHost *> m_mapModuleHosts;
};
