#pragma once

#include <QJsonObject>
#include <QMap>
#include <QString>

#include <mutex>

namespace Demo {

// The logged-in users of the demo: any user name with the password "demo". A login issues
// a session token and a consumer-cloud token; either opens the session endpoints until the
// user logs out or the service ends. Any thread; a mutex guards the tokens.
class SessionStore
{
public:
    static const char *const Password;

    // The user keys for a successful login, or an empty object.
    QJsonObject login(const QString &userName, const QString &password);
    // The user name a token belongs to; empty when the token is unknown.
    QString userOf(const QString &token) const;
    bool logout(const QString &token);

    // The token of an "Authorization" header: the bare token or "Bearer <token>".
    static QString tokenOf(const QString &authorization);

private:
    struct Session
    {
        QString userName;
        QString token;
        QString qrToken;
    };

    mutable std::mutex m_mutex;
    QMap<QString, Session> m_byToken; // both tokens of a session are keys
};

} // namespace Demo
