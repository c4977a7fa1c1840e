#include "ZoMessageNotify.h"

#include "ZoGlobal.h"
#include "ZoNotifyProtocol.h"

#include "lumo/DPrintLog.h"
#include "os/OsProcess.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QThread>

namespace ZoGUI {

namespace {

const char kHelperName[] = "ZoMessageNotify";
const int kMaxPending = 100;

QPointer<ZoMessageNotify> s_instance;

} // namespace

ZoMessageNotify *ZoMessageNotify::instance()
{
    QCoreApplication *app = QCoreApplication::instance();
    Q_ASSERT(app && QThread::currentThread() == app->thread());
    if (!s_instance && app)
        s_instance = new ZoMessageNotify(app);
    return s_instance.data();
}

ZoMessageNotify::ZoMessageNotify(QObject *parent)
    : QObject(parent)
    , m_server(new QLocalServer(this))
    , m_helperDirectory(QCoreApplication::applicationDirPath())
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &ZoMessageNotify::onNewConnection);
}

ZoMessageNotify::~ZoMessageNotify()
{
    // Closing the socket ends the helper; waiting keeps it from outliving us as a zombie.
    stopHelper(1000);
}

QString ZoMessageNotify::serverName() const
{
    return ZoNotifyProtocol::serverName(GetProgramType());
}

void ZoMessageNotify::setHelperDirectory(const QString &folder)
{
    m_helperDirectory = folder;
}

bool ZoMessageNotify::isHelperConnected() const
{
    return m_socket && m_socket->state() == QLocalSocket::ConnectedState;
}

void ZoMessageNotify::SetParam(const QStringList &translationFiles, const QStringList &skins,
                               const QString &languageName)
{
    QJsonObject message {
        {QLatin1String(ZoNotifyProtocol::kType), QLatin1String(ZoNotifyProtocol::kParam)},
        {QStringLiteral("translations"), QJsonArray::fromStringList(translationFiles)},
        {QStringLiteral("skins"), QJsonArray::fromStringList(skins)},
        {QStringLiteral("language"), languageName}};
    m_paramLine = ZoNotifyProtocol::encode(message);
    send(m_paramLine);
}

void ZoMessageNotify::SetMessageNotifyTitle(const QString &title)
{
    QJsonObject message {
        {QLatin1String(ZoNotifyProtocol::kType), QLatin1String(ZoNotifyProtocol::kTitle)},
        {QStringLiteral("title"), title}};
    m_titleLine = ZoNotifyProtocol::encode(message);
    send(m_titleLine);
}

quint64 ZoMessageNotify::AddTextNotification(const QString &text)
{
    const quint64 id = m_nextId++;
    if (QThread::currentThread() == thread())
        sendText(id, text);
    else
        QMetaObject::invokeMethod(
            this, [this, id, text] { sendText(id, text); }, Qt::QueuedConnection);
    return id;
}

void ZoMessageNotify::sendText(quint64 id, const QString &text)
{
    QJsonObject message {
        {QLatin1String(ZoNotifyProtocol::kType), QLatin1String(ZoNotifyProtocol::kText)},
        {QStringLiteral("id"), static_cast<qint64>(id)},
        {QStringLiteral("text"), text}};
    const QByteArray line = ZoNotifyProtocol::encode(message);
    if (isHelperConnected()) {
        send(line);
        return;
    }
    // Without a helper the queue would grow for the life of the client; keep the newest.
    if (m_pending.size() >= kMaxPending) {
        LUMO_LOG(4, "no notification helper; dropping the oldest waiting notification");
        m_pending.removeFirst();
    }
    m_pending.append(line);
}

void ZoMessageNotify::send(const QByteArray &line)
{
    if (isHelperConnected())
        m_socket->write(line);
}

bool ZoMessageNotify::StartMessageProcess()
{
    stopHelper(1000);
    const QString name = serverName();
    if (!m_server->isListening() || m_server->serverName() != name) {
        m_server->close();
        QLocalServer::removeServer(name); // a socket file left by a client that crashed
        if (!m_server->listen(name)) {
            LUMO_LOG(6, "cannot listen on %s: %s", qUtf8Printable(name),
                     qUtf8Printable(m_server->errorString()));
            return false;
        }
    }

    const QString program
        = QDir(m_helperDirectory)
              .filePath(os::OsProcess::executableFileName(QLatin1String(kHelperName)));
    if (!QFileInfo(program).isExecutable()) {
        LUMO_LOG(6, "notification helper missing: %s", qUtf8Printable(program));
        return false;
    }
    m_process = new QProcess(this);
    m_process->setProcessChannelMode(QProcess::ForwardedChannels);
    QProcess *process = m_process;
    connect(process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
            [this, process](int exitCode, QProcess::ExitStatus) {
                LUMO_LOG(4, "notification helper ended with %d", exitCode);
                emit sgnHelperFinished(exitCode);
                if (m_process == process)
                    m_process = nullptr;
                process->deleteLater();
            });
    m_process->start(program, {QStringLiteral("--server"), name});
    if (!m_process->waitForStarted(5000)) {
        LUMO_LOG(6, "cannot start %s: %s", qUtf8Printable(program),
                 qUtf8Printable(m_process->errorString()));
        m_process->deleteLater();
        m_process = nullptr;
        return false;
    }
    return true;
}

void ZoMessageNotify::onNewConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        if (isHelperConnected()) { // one helper at a time
            socket->abort();
            socket->deleteLater();
            continue;
        }
        m_socket = socket;
        connect(socket, &QLocalSocket::readyRead, this, &ZoMessageNotify::onReadyRead);
        connect(socket, &QLocalSocket::disconnected, this, &ZoMessageNotify::onDisconnected);
        if (!m_paramLine.isEmpty())
            socket->write(m_paramLine);
        if (!m_titleLine.isEmpty())
            socket->write(m_titleLine);
        for (const QByteArray &line : qAsConst(m_pending))
            socket->write(line);
        m_pending.clear();
        emit sgnHelperConnected();
    }
}

void ZoMessageNotify::onReadyRead()
{
    auto *socket = qobject_cast<QLocalSocket *>(sender());
    while (socket && socket->canReadLine()) {
        QJsonObject message;
        const QByteArray line = socket->readLine();
        if (!ZoNotifyProtocol::decode(line, &message)) {
            LUMO_LOG(6, "bad line from the notification helper: %s", line.trimmed().constData());
            continue;
        }
        if (message.value(QLatin1String(ZoNotifyProtocol::kType)).toString()
            == QLatin1String(ZoNotifyProtocol::kShown)) {
            emit sgnNotificationShown(
                static_cast<quint64>(message.value(QStringLiteral("id")).toDouble()),
                message.value(QStringLiteral("title")).toString(),
                message.value(QStringLiteral("text")).toString());
        }
    }
    if (socket && socket->bytesAvailable() > ZoNotifyProtocol::kMaxLineLength) {
        LUMO_LOG(6, "notification helper sent an overlong line; disconnecting");
        socket->abort();
    }
}

void ZoMessageNotify::onDisconnected()
{
    auto *socket = qobject_cast<QLocalSocket *>(sender());
    if (socket == m_socket)
        m_socket = nullptr;
    if (socket)
        socket->deleteLater();
}

void ZoMessageNotify::AbouttoQuitApp()
{
    if (isHelperConnected()) {
        send(ZoNotifyProtocol::encode(
            {{QLatin1String(ZoNotifyProtocol::kType), QLatin1String(ZoNotifyProtocol::kQuit)}}));
        m_socket->flush();
    }
    stopHelper(1500);
    m_pending.clear();
}

void ZoMessageNotify::stopHelper(int waitMs)
{
    if (m_socket) {
        m_socket->flush();
        m_socket->disconnectFromServer();
    }
    if (!m_process)
        return;
    QProcess *process = m_process;
    if (process->state() != QProcess::NotRunning && !process->waitForFinished(waitMs)) {
        LUMO_LOG(4, "notification helper did not end in time; killing it");
        process->kill();
        process->waitForFinished(waitMs);
    }
}

} // namespace ZoGUI
