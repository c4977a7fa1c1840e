#include "SecretMask.h"

#include <QRegularExpression>

namespace Web {

QString SecretMask::maskJson(const QString &jsonText)
{
    static const QRegularExpression secret(
        QStringLiteral(R"re("(password|token|qrToken|salt)"(\s*):(\s*)"(?:[^"\\]|\\.)*")re"));
    QString masked = jsonText;
    masked.replace(secret, QStringLiteral(R"("\1"\2:\3"***")"));
    return masked;
}

QString SecretMask::maskToken(const QString &token)
{
    if (token.isEmpty())
        return token;
    return token.left(4) + QStringLiteral("***");
}

} // namespace Web
