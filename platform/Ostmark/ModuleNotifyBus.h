#pragma once

#include "ostmark_global.h"

#include <QJsonObject>
#include <QString>

// Sends a notification from one module to another, for example from an app plugin to the
// main view ("alarmCloseSound", "MessageRead"), which treats it like a call from its page.
// Any thread.
class OSTMARK_EXPORT ModuleNotifyBus
{
public:
    // Passes the object as compact JSON text to the host's onModuleBusNotify. False when no
    // host has the name or the host refused it.
    static bool sendModuleNotify(const QJsonObject &object, const QString &moduleName);
};
