#pragma once

#include "korvelweb_global.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QString>

// The notifications the client sends to the page of the main view ("Main"). Each builder
// makes the envelope head with buildRpcHeader, adds "params" and hands the object to
// WebNotifyBus::sendRPCNotify; a notification for which no view is registered is lost.
//
// Any thread: the builders run on the GUI thread and on web message queue workers, and share
// one process-wide notification counter.
namespace Web {

// The envelope head: "result", "id", "async" and "method". An id of -1 takes the next number
// of the shared counter (the first is 1); any other id is used as given.
KORVELWEB_EXPORT QJsonObject buildRpcHeader(const QString &method, bool async, bool result, int id);

// "SendMessageToWeb" {"type", "id"}, as the message-center page gave them.
KORVELWEB_EXPORT void sendMessageToWeb(int type, QString id);
// "ExitApp" {}.
KORVELWEB_EXPORT void notifyExitApp();
// "FullScreen" {"bFullScreen"}.
KORVELWEB_EXPORT void notifyFullScreen(bool bFullScreen);
// "GetLocalConfig" with the local settings as the configuration store holds them now.
KORVELWEB_EXPORT void replyLocalConfig();
// "Notify401" {}: a request of the business library was refused as unauthorised.
KORVELWEB_EXPORT void notify401();
// "MenuClicked" {"menuCode", "menuPath"}.
KORVELWEB_EXPORT void notifyMenuClicked(QString menuCode, QString menuPath);
// "NotifyMenuNumUpdate" {"visibleMenuPath": the array as given}.
KORVELWEB_EXPORT void notifyMenuNumUpdate(QJsonArray visibleMenuPath);
// "ReplyClientInfo" {"macAddr", "version", "sysVersion", "sysBit"}.
KORVELWEB_EXPORT void replyClientInfo();

} // namespace Web
