#include "WebNotifyBus.h"

#include "MessageBus.h"

#include <QJsonDocument>

bool WebNotifyBus::sendRPCNotify(const QJsonObject &object, const QString &moduleName)
{
    const QString text = QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
    return MessageBus::instance()->deliverRPC(moduleName, text);
}
