#pragma once

#include "ostmark_global.h"

#include <QDateTime>
#include <QImage>
#include <QPixmap>
#include <QString>

#include <mutex>

// The logged-in user and the session tokens, in memory only: nothing of a session survives
// the process.
//
// Thread-safe: the web message queue stores the login data from its worker thread while the
// GUI thread and the network workers read it. The photo's two calls take and give a QPixmap
// and so belong to the GUI thread; it is kept as a QImage, which any thread may drop.
class OSTMARK_EXPORT AuthCenter
{
public:
    static AuthCenter *instance();

    // Start of the process: an empty session, not logged in.
    void initAuthCenter();

    void setUserName(const QString &name);
    QString getUserName() const;
    void setFullName(const QString &name);
    QString getFullName() const;
    void setUserType(const QString &type);
    QString getUserType() const;
    void setUserPhotoUrl(const QString &url);
    QString getUserPhotoUrl() const;
    void setAccountType(int type);
    int getAccountType() const;
    void setUserPhone(const QString &phone);
    QString getUserPhone() const;
    void setCompanyId(int id);
    int getCompanyId() const;
    void setUserId(const QString &id);
    QString getUserId() const;
    void setUserPassword(const QString &password);
    QString getUserPassword() const;
    void setClientSessionId(const QString &id);
    QString getClientSessionId() const;

    // The service's login token; requests send it as their authorization.
    void saveToken(const QString &token);
    QString getToken() const;
    // The consumer cloud's token.
    void saveQrToken(const QString &token);
    QString getQrToken() const;

    // Remembers the current time as the login time.
    void saveLoginTime();
    QDateTime getLoginTime() const;

    void setClientLoginedStatue(bool logined);
    bool isClientLogined() const;

    // GUI thread only.
    void setUserPhoto(const QPixmap &photo);
    QPixmap getUserPhoto() const;

    // Logout: the user's data (with the password and the photo), then each token.
    void clearUserInfo();
    void clearToken();
    void clearQrToken();

    AuthCenter(const AuthCenter &) = delete;
    AuthCenter &operator=(const AuthCenter &) = delete;

private:
    AuthCenter() = default;

    mutable std::mutex m_mutex;
    QString m_strUserName;
    QString m_strFullName;
    QString m_strUserType;
    QString m_strUserPhotoUrl;
    int m_iAccountType = 0;
    QString m_strUserPhone;
    int m_iCompanyId = 0;
    QString m_strUserId;
    QString m_strPassword;
    QString m_strClientSessionId;
    QString m_strToken;
    QString m_strQrToken;
    QDateTime m_loginTime;
    bool m_bLogined = false;
    QImage m_imgPhoto;
};
