#pragma once

#include "ostmark_global.h"

#include <QByteArray>
#include <QString>

#include <mutex>

// Check codes for data the client exchanges with the service, keyed by the session's salt
// (the login's "salt"): HMAC-SHA256 of the data with the salt as key, in lower-case hex.
//
// Thread-safe.
class OSTMARK_EXPORT CDataCheckTool
{
public:
    static CDataCheckTool *instance();

    void setSalt(const QString &salt);
    QString getSalt() const;

    // Empty when no salt is set: no check code can be made outside a session.
    QString makeCheckCode(const QByteArray &data) const;
    bool verifyCheckCode(const QByteArray &data, const QString &checkCode) const;

    CDataCheckTool(const CDataCheckTool &) = delete;
    CDataCheckTool &operator=(const CDataCheckTool &) = delete;

private:
    CDataCheckTool() = default;

    mutable std::mutex m_mutex;
    QString m_strSalt;
};
