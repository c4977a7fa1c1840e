#pragma once

#include "zogui_global.h"

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
// delivered once it has.
// GUI thread only, except AddTextNotification, which any thread may call.
class ZOGUI_EXPORT ZoMessageNotify : public QObject
{
    Q_OBJECT

public:
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
    QString serverName() const;
    // Folder holding the helper program; default the application's folder. Tests point it at
    // the build's program folder.
    void setHelperDirectory(const QString &folder);

signals:
    void sgnHelperConnected();
    void sgnNotificationShown(quint64 id, const QString &title, const QString &text);
    void sgnHelperFinished(int exitCode);

private:
    explicit ZoMessageNotify(QObject *parent);
    ~ZoMessageNotify() override;

    void onNewConnection();
    void onReadyRead();
    void onDisconnected();
    void send(const QByteArray &line);
    void sendText(quint64 id, const QString &text);
    void stopHelper(int waitMs);

    QLocalServer *m_server = nullptr; // child
    QPointer<QLocalSocket> m_socket; // child of the server while connected
    QProcess *m_process = nullptr; // child
    QString m_helperDirectory;
    QByteArray m_paramLine;
    QByteArray m_titleLine;
    QList<QByteArray> m_pending; // text lines waiting for the helper
    std::atomic<quint64> m_nextId {1};
};

} // namespace ZoGUI
