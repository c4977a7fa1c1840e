#pragma once

#include "ostmark_global.h"

#include <QJsonObject>
#include <QString>

// Sends a notification to the page of the view registered under a module name (the main
// view is "Main"). Any thread; the view carries the text to its own thread.
class OSTMARK_EXPORT WebNotifyBus
{
public:
    // Passes the object as compact JSON text to the host's onRPCBusNotify. False when no
    // host has the name or the host refused it.
    static bool sendRPCNotify(const QJsonObject &object, const QString &moduleName);
};
