#include "CDataCheckTool.h"

#include <QCryptographicHash>
#include <QMessageAuthenticationCode>

CDataCheckTool *CDataCheckTool::instance()
{
    static CDataCheckTool tool;
    return &tool;
}

void CDataCheckTool::setSalt(const QString &salt)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_strSalt = salt;
}

QString CDataCheckTool::getSalt() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_strSalt;
}

QString CDataCheckTool::makeCheckCode(const QByteArray &data) const
{
    const QString salt = getSalt();
    if (salt.isEmpty())
        return QString();
    return QString::fromLatin1(
        QMessageAuthenticationCode::hash(data, salt.toUtf8(), QCryptographicHash::Sha256).toHex());
}

bool CDataCheckTool::verifyCheckCode(const QByteArray &data, const QString &checkCode) const
{
    const QString expected = makeCheckCode(data);
    return !expected.isEmpty() && expected.compare(checkCode, Qt::CaseInsensitive) == 0;
}
