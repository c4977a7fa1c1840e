#pragma once

#include <QObject>
#include <QStringList>

class QLocalSocket;
class QRect;

// The helper's end of the client's local socket (ZoGUI::ZoNotifyProtocol): turns the client's
// lines into signals and reports shown popups back. GUI thread only.
class NotifyConnection : public QObject
{
    Q_OBJECT

public:
    explicit NotifyConnection(QObject *parent = nullptr);

    bool open(const QString &serverName, int timeoutMs);
    void sendShown(quint64 id, const QString &title, const QString &text, const QRect &geometry);

signals:
    void sgnParam(const QStringList &translationFiles, const QStringList &skins,
                  const QString &languageName);
    void sgnTitle(const QString &title);
    void sgnText(quint64 id, const QString &text);
    void sgnQuit();
    // The client closed the socket (or went away).
    void sgnClosed();

private:
    void onReadyRead();
    void dispatch(const QByteArray &line);

    QLocalSocket *m_socket; // child
};
