#pragma once

#include <QString>

// A receiver of the notification buses, registered under a module name with MessageBus (a
// web view registers under its own name). The buses call it on the sender's thread, which
// may be any thread: an implementation hands the text on to its own thread itself and must
// not block on another thread, nor use the buses (send, register, unregister) from inside
// the call: the bus holds its registry lock while it calls.
// Texts are compact JSON object texts. The result says whether the host took the text.
class IWebNotifyBusHost
{
public:
    // A notification for the host's page.
    virtual bool onRPCBusNotify(QString text) = 0;
    // A notification from another module (a plugin, another view) for this module.
    virtual bool onModuleBusNotify(QString text) = 0;

protected:
    ~IWebNotifyBusHost() = default;
};
