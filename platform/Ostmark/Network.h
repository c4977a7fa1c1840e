#pragma once

#include "NetworkError.h"
#include "ostmark_global.h"

#include <QMap>
#include <QObject>
#include <QPointer>
#include <QString>

class QNetworkReply;
class QNetworkRequest;

namespace Common {

class NetworkListener;

// One reusable HTTP request object, named after its purpose ("queryClientVersion",
// "loadLogoInfo", ...). The name comes back with every callback, so one listener can serve
// several objects.
//
// Thread affinity: the thread that made the object, which must run an event loop. All calls
// are made there and all callbacks arrive there (NetworkListener gives their order). Each
// thread has its own QNetworkAccessManager.
//
// Starting a request while one is running cancels the running one silently: the listener
// hears only of the newest. A failure also reaches the global listener of NetworkHelper.
// An https request trusts the system store plus the certificate named by "Localcfg.ini"
// [Tls] CaFile; verification is never switched off.
class OSTMARK_EXPORT Network : public QObject
{
    Q_OBJECT

public:
    explicit Network(const QString &name, QObject *parent = nullptr);
    // Cancels a running request silently. Deregister the listener first when it may die
    // before this object does.
    ~Network() override;

    QString name() const { return m_strName; }

    void registerObject(NetworkListener *listener);
    // Removes the listener if it is the registered one.
    void deregisterObject(NetworkListener *listener);

    // Milliseconds without any progress after which the request fails with
    // QNetworkReply::TimeoutError; 0 waits for ever.
    void setTimeoutTime(int msec);
    int timeoutTime() const { return m_iTimeoutMs; }
    // Sent as the "Authorization" header's value, unchanged; empty sends none.
    void setAuthorization(const QString &authorization);
    void setRequestUrl(const QString &url);
    QString requestUrl() const { return m_strUrl; }

    // Both return at once; the outcome comes through the listener. Header names and values
    // are sent as given; a header of the map wins over the authorization.
    void getRequest(const QMap<QString, QString> &headers = {});
    // Without a "Content-Type" in the headers the body goes as
    // "application/json;charset=utf-8".
    void postRequest(const QByteArray &body, const QMap<QString, QString> &headers = {});

    // Stops the running request; the listener hears nothing more of it.
    void cancleRequest();
    bool isRunning() const { return !m_pReply.isNull(); }

private:
    QNetworkRequest buildRequest(const QMap<QString, QString> &headers,
                                 quint64 *caGeneration) const;
    void start(QNetworkReply *reply);
    void onReadyRead(QNetworkReply *reply);
    void onFinished(QNetworkReply *reply);
    void reportError(QNetworkReply *reply);
    void checkThread(const char *where) const;

    QString m_strName;
    NetworkListener *m_pListener = nullptr;
    int m_iTimeoutMs = 0;
    QString m_strAuthorization;
    QString m_strUrl;
    QPointer<QNetworkReply> m_pReply;
};

} // namespace Common
