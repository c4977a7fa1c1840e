#include "ModuleNotifyBus.h"

#include "MessageBus.h"

#include <QJsonDocument>

bool ModuleNotifyBus::sendModuleNotify(const QJsonObject &object, const QString &moduleName)
{
    const QString text = QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
    return MessageBus::instance()->deliverModule(moduleName, text);
}
