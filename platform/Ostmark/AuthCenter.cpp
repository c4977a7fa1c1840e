#include "AuthCenter.h"

AuthCenter *AuthCenter::instance()
{
    static AuthCenter center;
    return &center;
}

void AuthCenter::initAuthCenter()
{
    clearUserInfo();
    clearToken();
    clearQrToken();
    std::lock_guard<std::mutex> lock(m_mutex);
    m_loginTime = QDateTime();
    m_bLogined = false;
}

void AuthCenter::setUserName(const QString &value)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_strUserName = value;
}

QString AuthCenter::getUserName() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_strUserName;
}

void AuthCenter::setFullName(const QString &value)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_strFullName = value;
}

QString AuthCenter::getFullName() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_strFullName;
}

void AuthCenter::setUserType(const QString &value)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_strUserType = value;
}

QString AuthCenter::getUserType() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_strUserType;
}

void AuthCenter::setUserPhotoUrl(const QString &value)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_strUserPhotoUrl = value;
}

QString AuthCenter::getUserPhotoUrl() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_strUserPhotoUrl;
}

void AuthCenter::setAccountType(int value)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_iAccountType = value;
}

int AuthCenter::getAccountType() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_iAccountType;
}

void AuthCenter::setUserPhone(const QString &value)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_strUserPhone = value;
}

QString AuthCenter::getUserPhone() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_strUserPhone;
}

void AuthCenter::setCompanyId(int value)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_iCompanyId = value;
}

int AuthCenter::getCompanyId() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_iCompanyId;
}

void AuthCenter::setUserId(const QString &value)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_strUserId = value;
}

QString AuthCenter::getUserId() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_strUserId;
}

void AuthCenter::setUserPassword(const QString &value)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_strPassword = value;
}

QString AuthCenter::getUserPassword() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_strPassword;
}

void AuthCenter::setClientSessionId(const QString &value)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_strClientSessionId = value;
}

QString AuthCenter::getClientSessionId() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_strClientSessionId;
}

void AuthCenter::saveToken(const QString &value)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_strToken = value;
}

QString AuthCenter::getToken() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_strToken;
}

void AuthCenter::saveQrToken(const QString &value)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_strQrToken = value;
}

QString AuthCenter::getQrToken() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_strQrToken;
}

void AuthCenter::saveLoginTime()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_loginTime = QDateTime::currentDateTime();
}

QDateTime AuthCenter::getLoginTime() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_loginTime;
}

void AuthCenter::setClientLoginedStatue(bool logined)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bLogined = logined;
}

bool AuthCenter::isClientLogined() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_bLogined;
}

void AuthCenter::setUserPhoto(const QPixmap &photo)
{
    const QImage image = photo.toImage();
    std::lock_guard<std::mutex> lock(m_mutex);
    m_imgPhoto = image;
}

QPixmap AuthCenter::getUserPhoto() const
{
    QImage image;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        image = m_imgPhoto;
    }
    return QPixmap::fromImage(image);
}

void AuthCenter::clearUserInfo()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_strUserName.clear();
    m_strFullName.clear();
    m_strUserType.clear();
    m_strUserPhotoUrl.clear();
    m_iAccountType = 0;
    m_strUserPhone.clear();
    m_iCompanyId = 0;
    m_strUserId.clear();
    m_strPassword.clear();
    m_strClientSessionId.clear();
    m_imgPhoto = QImage();
}

void AuthCenter::clearToken()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_strToken.clear();
}

void AuthCenter::clearQrToken()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_strQrToken.clear();
}
