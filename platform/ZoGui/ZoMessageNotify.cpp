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
#include <QTimer>

namespace ZoGUI {

namespace {

const char kHelperName[] = "ZoMessageNotify";

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
    , m_helperProgram(QDir(QCoreApplication::applicationDirPath())
                          .filePath(os::OsProcess::executableFileName(QLatin1String(kHelperName))))
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
    return ZoNotifyProtocol::serverName(GetProgramType(), QCoreApplication::applicationPid());
}

void ZoMessageNotify::setHelperProgram(const QString &filePath)
{
    m_helperProgram = filePath;
}

bool ZoMessageNotify::isHelperConnected() const
{
    return m_socket && m_socket->state() == QLocalSocket::ConnectedState;
}

qint64 ZoMessageNotify::helperProcessId() const
{
    return m_process ? m_process->processId() : 0;
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
    const QByteArray line = ZoNotifyProtocol::encode(
        {{QLatin1String(ZoNotifyProtocol::kType), QLatin1String(ZoNotifyProtocol::kText)},
         {QStringLiteral("id"), static_cast<qint64>(id)},
         {QStringLiteral("text"), text}});
    if (QThread::currentThread() == thread())
        sendText(id, line);
    else
        QMetaObject::invokeMethod(
            this, [this, id, line] { sendText(id, line); }, Qt::QueuedConnection);
    return id;
}

void ZoMessageNotify::sendText(quint64 id, const QByteArray &line)
{
    if (!isHelperConnected()) {
        keepPending(id, line);
        return;
    }
    m_unshown.insert(id, line);
    send(line);
}

void ZoMessageNotify::keepPending(quint64 id, const QByteArray &line)
{
    m_pending.insert(id, line);
    // Without a helper the queue would grow for the life of the client; keep the newest.
    while (m_pending.size() > kMaxPending) {
        LUMO_LOG(4, "no notification helper; dropping the oldest waiting notification");
        m_pending.erase(m_pending.begin());
    }
}

void ZoMessageNotify::send(const QByteArray &line)
{
    if (isHelperConnected())
        m_socket->write(line);
}

bool ZoMessageNotify::StartMessageProcess()
{
    stopHelper(1000);
    if (!listen() || !launchHelper())
        return false;
    m_wantHelper = true;
    m_restartsLeft = kMaxRestarts;
    return true;
}

bool ZoMessageNotify::listen()
{
    const QString name = serverName();
    if (m_server->isListening() && m_server->serverName() == name)
        return true;
    m_server->close();
    // The name carries our process id, so a socket file under it is left by a crashed client
    // that had our id before; no running client owns it.
    QLocalServer::removeServer(name);
    if (!m_server->listen(name)) {
        LUMO_LOG(6, "cannot listen on %s: %s", qUtf8Printable(name),
                 qUtf8Printable(m_server->errorString()));
        return false;
    }
    return true;
}

bool ZoMessageNotify::launchHelper()
{
    if (!QFileInfo(m_helperProgram).isExecutable()) {
        LUMO_LOG(6, "notification helper missing: %s", qUtf8Printable(m_helperProgram));
        return false;
    }
    auto *process = new QProcess(this);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    connect(process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
            [this, process](int exitCode) { onHelperFinished(process, exitCode); });
    process->start(m_helperProgram, {QStringLiteral("--server"), m_server->serverName()});
    if (!process->waitForStarted(5000)) {
        LUMO_LOG(6, "cannot start %s: %s", qUtf8Printable(m_helperProgram),
                 qUtf8Printable(process->errorString()));
        process->deleteLater();
        return false;
    }
    m_process = process;
    return true;
}

void ZoMessageNotify::onHelperFinished(QProcess *process, int exitCode)
{
    LUMO_LOG(4, "notification helper ended with %d", exitCode);
    process->deleteLater();
    if (process != m_process)
        return;
    m_process = nullptr;
    emit sgnHelperFinished(exitCode);
    if (!m_wantHelper)
        return;
    if (m_restartsLeft <= 0) {
        LUMO_LOG(6, "notification helper keeps ending; notifications stay queued");
        m_wantHelper = false;
        return;
    }
    --m_restartsLeft;
    QTimer::singleShot(kRestartDelayMs, this, [this] {
        if (m_wantHelper && !m_process && !launchHelper())
            m_wantHelper = false;
    });
}

void ZoMessageNotify::onNewConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        // One helper at a time: the newest connection comes from the helper started last, an
        // older one is stale.
        dropSocket();
        m_socket = socket;
        connect(socket, &QLocalSocket::readyRead, this, &ZoMessageNotify::onReadyRead);
        connect(socket, &QLocalSocket::disconnected, this, &ZoMessageNotify::onDisconnected);
        if (!m_paramLine.isEmpty())
            socket->write(m_paramLine);
        if (!m_titleLine.isEmpty())
            socket->write(m_titleLine);
        for (auto it = m_pending.cbegin(); it != m_pending.cend(); ++it) {
            m_unshown.insert(it.key(), it.value());
            socket->write(it.value());
        }
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
            const auto id = static_cast<quint64>(message.value(QStringLiteral("id")).toDouble());
            m_unshown.remove(id);
            emit sgnNotificationShown(id, message.value(QStringLiteral("title")).toString(),
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
    if (sender() == m_socket)
        dropSocket();
}

void ZoMessageNotify::dropSocket()
{
    if (!m_socket)
        return;
    QLocalSocket *socket = m_socket;
    m_socket = nullptr;
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
    // What the helper took but never showed goes to the next helper.
    for (auto it = m_unshown.cbegin(); it != m_unshown.cend(); ++it)
        keepPending(it.key(), it.value());
    m_unshown.clear();
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
    m_unshown.clear();
}

void ZoMessageNotify::stopHelper(int waitMs)
{
    m_wantHelper = false;
    if (m_socket) {
        m_socket->flush();
        m_socket->disconnectFromServer();
        dropSocket();
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
