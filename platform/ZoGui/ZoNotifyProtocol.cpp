#include "ZoNotifyProtocol.h"

#include <QCryptographicHash>
#include <QDir>
#include <QJsonDocument>
#include <QRegularExpression>

namespace ZoGUI {

const char *const ZoNotifyProtocol::kType = "type";
const char *const ZoNotifyProtocol::kParam = "param";
const char *const ZoNotifyProtocol::kTitle = "title";
const char *const ZoNotifyProtocol::kText = "text";
const char *const ZoNotifyProtocol::kQuit = "quit";
const char *const ZoNotifyProtocol::kShown = "shown";

QString ZoNotifyProtocol::serverName(const QString &programType, qint64 clientPid)
{
    QString program = programType;
    program.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_-]")), QStringLiteral("_"));
    const QByteArray user
        = QCryptographicHash::hash(QDir::homePath().toUtf8(), QCryptographicHash::Sha1).toHex();
    return QStringLiteral("ZoMessageNotify_") + program.left(40) + QLatin1Char('_')
        + QString::fromLatin1(user.left(12)) + QLatin1Char('_') + QString::number(clientPid);
}

QByteArray ZoNotifyProtocol::encode(const QJsonObject &message)
{
    return QJsonDocument(message).toJson(QJsonDocument::Compact) + '\n';
}

bool ZoNotifyProtocol::decode(const QByteArray &line, QJsonObject *message)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(line, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()
        || !doc.object().value(QLatin1String(kType)).isString())
        return false;
    *message = doc.object();
    return true;
}

} // namespace ZoGUI
