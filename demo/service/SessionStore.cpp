#include "SessionStore.h"

#include <QRandomGenerator>

namespace Demo {

const char *const SessionStore::Password = "demo";

namespace {

QString randomHex(int bytes)
{
    QByteArray data(bytes, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(data.data()),
                                          bytes / int(sizeof(quint32)));
    return QString::fromLatin1(data.toHex());
}

} // namespace

QJsonObject SessionStore::login(const QString &userName, const QString &password)
{
    const QString name = userName.trimmed();
    if (name.isEmpty() || password != QLatin1String(Password))
        return QJsonObject();

    Session session {name, randomHex(16), randomHex(16)};
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_byToken.insert(session.token, session);
        m_byToken.insert(session.qrToken, session);
    }
    // A stable id per name, so the same user keeps the same id across logins.
    const int id = 10000 + int(qChecksum(name.toUtf8().constData(), uint(name.toUtf8().size())));
    return QJsonObject {{QStringLiteral("userName"), name},
                        {QStringLiteral("name"), QString(QStringLiteral("Demo user ") + name)},
                        {QStringLiteral("userType"), QStringLiteral("admin")},
                        {QStringLiteral("accountType"), 1},
                        {QStringLiteral("phone"), QStringLiteral("+41 00 000 00 00")},
                        {QStringLiteral("companyId"), 1001},
                        {QStringLiteral("id"), id},
                        {QStringLiteral("token"), session.token},
                        {QStringLiteral("qrToken"), session.qrToken},
                        {QStringLiteral("salt"), randomHex(8)}};
}

QString SessionStore::userOf(const QString &token) const
{
    if (token.isEmpty())
        return QString();
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_byToken.value(token).userName;
}

bool SessionStore::logout(const QString &token)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto it = m_byToken.constFind(token);
    if (it == m_byToken.constEnd())
        return false;
    const Session session = it.value();
    m_byToken.remove(session.token);
    m_byToken.remove(session.qrToken);
    return true;
}

QString SessionStore::tokenOf(const QString &authorization)
{
    const QString value = authorization.trimmed();
    if (value.startsWith(QLatin1String("Bearer "), Qt::CaseInsensitive))
        return value.mid(7).trimmed();
    return value;
}

} // namespace Demo
