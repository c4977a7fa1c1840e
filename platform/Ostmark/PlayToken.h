#pragma once

#include "SessionRecords.h"
#include "ostmark_global.h"

#include <QMap>
#include <QObject>
#include <QVector>

#include <mutex>

class PlayTokenRequest;

// The play tokens of the session's devices, fetched from the service's session endpoint:
// POST <PlatformUrl>/session/playTokens with the login token as authorization, body
// {"deviceIds": [...]} (the devices CDeviceInfoObj knows; none asks for all), answer
// {"data": {"tokens": [{"deviceId", "token", "expireTime"}]}}.
//
// Thread-safe. requestAllPlayTokens runs on the calling thread, normally a worker that then
// runs its event loop until sgnGetAllTokens.
class OSTMARK_EXPORT PlayToken : public QObject
{
    Q_OBJECT

public:
    static PlayToken *instance();

    static constexpr const char *RequestPath = "/session/playTokens";
    static constexpr const char *RequestName = "playTokens";

    // Starts one request from the calling thread (replacing one still running). When it
    // ends, successful or not, sgnGetAllTokens is emitted; a failure keeps the tokens held
    // and is logged (and seen by NetworkHelper's listener). Without a login token nothing is
    // requested and sgnGetAllTokens comes at once.
    void requestAllPlayTokens();
    // The running request ends without storing anything and without sgnGetAllTokens.
    void cancelRequestAllPlayTokens();
    void clearAllPlayTokens();

    QVector<PlayTokenInfo> getAllPlayTokens() const;
    // Empty when the device has no token.
    QString getPlayToken(const QString &deviceId) const;

signals:
    void sgnGetAllTokens();

private:
    friend class PlayTokenRequest;
    PlayToken() = default;

    // From the request's thread.
    void requestEnded(PlayTokenRequest *request, quint64 generation, bool ok,
                      const QVector<PlayTokenInfo> &tokens);
    void requestDestroyed(PlayTokenRequest *request);

    mutable std::mutex m_mutex;
    QMap<QString, PlayTokenInfo> m_mapTokens;
    quint64 m_generation = 0;
    PlayTokenRequest *m_pRequest = nullptr;
};
