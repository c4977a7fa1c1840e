#include "NotifyConnection.h"

#include "ZoGui/ZoNotifyProtocol.h"
#include "lumo/DPrintLog.h"

#include <QJsonArray>
#include <QLocalSocket>
#include <QRect>

using ZoGUI::ZoNotifyProtocol;

namespace {

QStringList toStringList(const QJsonValue &value)
{
    QStringList list;
    for (const QJsonValue &item : value.toArray()) {
        if (item.isString())
            list.append(item.toString());
    }
    return list;
}

} // namespace

NotifyConnection::NotifyConnection(QObject *parent)
    : QObject(parent)
    , m_socket(new QLocalSocket(this))
{
    connect(m_socket, &QLocalSocket::readyRead, this, &NotifyConnection::onReadyRead);
    connect(m_socket, &QLocalSocket::disconnected, this, &NotifyConnection::sgnClosed);
}

bool NotifyConnection::open(const QString &serverName, int timeoutMs)
{
    m_socket->connectToServer(serverName);
    if (m_socket->waitForConnected(timeoutMs))
        return true;
    LUMO_LOG(6, "cannot reach the client at %s: %s", qUtf8Printable(serverName),
             qUtf8Printable(m_socket->errorString()));
    return false;
}

void NotifyConnection::sendShown(quint64 id, const QString &title, const QString &text,
                                 const QRect &geometry)
{
    const QJsonObject message {
        {QLatin1String(ZoNotifyProtocol::kType), QLatin1String(ZoNotifyProtocol::kShown)},
        {QStringLiteral("id"), static_cast<qint64>(id)},
        {QStringLiteral("title"), title},
        {QStringLiteral("text"), text},
        {QStringLiteral("geometry"),
         QJsonArray {geometry.x(), geometry.y(), geometry.width(), geometry.height()}}};
    m_socket->write(ZoNotifyProtocol::encode(message));
}

void NotifyConnection::onReadyRead()
{
    while (m_socket->canReadLine())
        dispatch(m_socket->readLine());
    if (m_socket->bytesAvailable() > ZoNotifyProtocol::kMaxLineLength) {
        LUMO_LOG(6, "overlong line from the client; closing");
        m_socket->abort();
    }
}

void NotifyConnection::dispatch(const QByteArray &line)
{
    QJsonObject message;
    if (!ZoNotifyProtocol::decode(line, &message)) {
        LUMO_LOG(6, "Json error[%s]", line.trimmed().constData());
        return;
    }
    const QString type = message.value(QLatin1String(ZoNotifyProtocol::kType)).toString();
    if (type == QLatin1String(ZoNotifyProtocol::kText)) {
        emit sgnText(static_cast<quint64>(message.value(QStringLiteral("id")).toDouble()),
                     message.value(QStringLiteral("text")).toString());
    } else if (type == QLatin1String(ZoNotifyProtocol::kTitle)) {
        emit sgnTitle(message.value(QStringLiteral("title")).toString());
    } else if (type == QLatin1String(ZoNotifyProtocol::kParam)) {
        emit sgnParam(toStringList(message.value(QStringLiteral("translations"))),
                      toStringList(message.value(QStringLiteral("skins"))),
                      message.value(QStringLiteral("language")).toString());
    } else if (type == QLatin1String(ZoNotifyProtocol::kQuit)) {
        emit sgnQuit();
    } else {
        LUMO_LOG(4, "unknown message type %s", qUtf8Printable(type));
    }
}
