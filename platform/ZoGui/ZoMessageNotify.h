#pragma once

#include "zogui_global.h"

#include <QMap>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <atomic>

class QLocalServer;
class QLocalSocket;
class QProcess;

namespace ZoGUI {

// Desktop notifications through the helper program "ZoMessageNotify", which shows each text
// as a small popup near the bottom-right corner of the screen. One per process, owned by the
// application object. The client listens on a local socket (ZoNotifyProtocol), starts the
// helper and sends it JSON lines; what is sent before the helper has connected waits and is
// delivered once it has. A helper that ends without being told to (killed by another
// client's start-up, crashed) is started again, and the texts it had not reported as shown
// are sent to the new one.
// GUI thread only, except AddTextNotification, which any thread may call.
class ZOGUI_EXPORT ZoMessageNotify : public QObject
{
    Q_OBJECT

public:
    // How often a helper that ends on its own is started again, per StartMessageProcess.
    static constexpr int kMaxRestarts = 3;
    static constexpr int kRestartDelayMs = 500;
    // Texts kept while no helper shows them; beyond this the oldest are dropped.
    static constexpr int kMaxPending = 100;

    // Made on first use; needs the application object.
    static ZoMessageNotify *instance();

    // Translation files the helper loads, skin folder names whose "ZoGUI/CSS/*.CSS" style it,
    // and the language name ("Chinese", "English") that sets its locale.
    void SetParam(const QStringList &translationFiles, const QStringList &skins,
                  const QString &languageName);
    // Starts the helper from the program folder (ending one this object started before).
    // False, logged, when the local server or the helper cannot be started.
    bool StartMessageProcess();
    // Title of every later popup.
    void SetMessageNotifyTitle(const QString &title);
    // Queues a popup with the text; returns its id (the helper reports it in
    // sgnNotificationShown).
    quint64 AddTextNotification(const QString &text);
    // Tells the helper to quit and waits briefly for it; the process is killed otherwise.
    void AbouttoQuitApp();

    bool isHelperConnected() const;
    // Process id of the running helper, 0 when none runs.
    qint64 helperProcessId() const;
    QString serverName() const;
    // The helper program file; default the program folder's "ZoMessageNotify". Tests run a
    // copy under another name, out of reach of clients that end every helper by name.
    void setHelperProgram(const QString &filePath);

signals:
    void sgnHelperConnected();
    void sgnNotificationShown(quint64 id, const QString &title, const QString &text);
    void sgnHelperFinished(int exitCode);

private:
    explicit ZoMessageNotify(QObject *parent);
    ~ZoMessageNotify() override;

    bool listen();
    bool launchHelper();
    void onHelperFinished(QProcess *process, int exitCode);
    void onNewConnection();
    void onReadyRead();
    void onDisconnected();
    void dropSocket();
    void send(const QByteArray &line);
    void sendText(quint64 id, const QByteArray &line);
    void keepPending(quint64 id, const QByteArray &line);
    void stopHelper(int waitMs);

    QLocalServer *m_server = nullptr; // child
    QPointer<QLocalSocket> m_socket; // child of the server while connected
    QProcess *m_process = nullptr; // child
    QString m_helperProgram;
    QByteArray m_paramLine;
    QByteArray m_titleLine;
    QMap<quint64, QByteArray> m_pending; // text lines waiting for a helper, by id
    QMap<quint64, QByteArray> m_unshown; // text lines sent, not yet reported as shown
    bool m_wantHelper = false; // between a successful start and the quit
    int m_restartsLeft = 0;
    std::atomic<quint64> m_nextId {1};
};

} // namespace ZoGUI
