#include "VeskSignature.h"

#include <QCryptographicHash>
#include <QJsonDocument>
#include <QJsonObject>

namespace Demo {

const char *const VeskSignature::ProductKey = "Hq7TzpLm2wXc9RbN";
const char *const VeskSignature::ProductSecret = "Jd4VsKe8YtQa1MuP";
const char *const VeskSignature::ProjectKey = "Wn3GxCr6BvLo5ZyE";

namespace {

bool isLowerHex32(const QString &text)
{
    if (text.size() != 32)
        return false;
    for (const QChar c : text) {
        if (!((c >= QLatin1Char('0') && c <= QLatin1Char('9'))
              || (c >= QLatin1Char('a') && c <= QLatin1Char('f'))))
            return false;
    }
    return true;
}

// Decimal digits only, no sign, no blanks, fitting 32 bits.
bool parseTimestamp(const QByteArray &text, std::uint32_t *value)
{
    if (text.isEmpty() || text.size() > 10)
        return false;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    bool ok = false;
    const qulonglong parsed = text.toULongLong(&ok);
    if (!ok || parsed > 0xFFFFFFFFull)
        return false;
    *value = std::uint32_t(parsed);
    return true;
}

} // namespace

QByteArray VeskSignature::sign(const QByteArray &productKey, const QByteArray &productSecret,
                               const QByteArray &timestamp)
{
    const QByteArray text = productKey + '&' + productSecret + '&' + timestamp;
    return QCryptographicHash::hash(text, QCryptographicHash::Md5).toHex();
}

std::uint32_t VeskSignature::timestampAt(std::int64_t secondsSinceEpoch)
{
    return std::uint32_t(std::uint64_t(secondsSinceEpoch)) * 1000u;
}

VeskSignature::Verdict VeskSignature::check(const QByteArray &body,
                                            const QByteArray &timestampHeader, std::uint32_t now,
                                            std::uint32_t windowMs, Request *request,
                                            QString *reason)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        *reason = QStringLiteral("body is not a JSON object");
        return Verdict::Malformed;
    }
    const QJsonObject object = document.object();
    const QJsonValue menuKey = object.value(QLatin1String("menuKey"));
    const QJsonValue deviceId = object.value(QLatin1String("deviceId"));
    if (!menuKey.isString()) {
        *reason = QStringLiteral("\"menuKey\" is not a string");
        return Verdict::Malformed;
    }
    if (!deviceId.isString() || !isLowerHex32(deviceId.toString())) {
        *reason = QStringLiteral("\"deviceId\" is not an MD5 digest in lower-case hex");
        return Verdict::Malformed;
    }
    if (object.value(QLatin1String("platform")).toString() != QLatin1String("PC")) {
        *reason = QStringLiteral("\"platform\" is not \"PC\"");
        return Verdict::Malformed;
    }

    std::uint32_t timestamp = 0;
    if (!parseTimestamp(timestampHeader, &timestamp)) {
        *reason = QStringLiteral("\"x-vesk-timestamp\" is missing or not a 32-bit decimal");
        return Verdict::Refused;
    }
    const QString productKey = object.value(QLatin1String("productKey")).toString();
    const QString productSecret = object.value(QLatin1String("productSecret")).toString();
    const QString projectKey = object.value(QLatin1String("projectKey")).toString();
    if (productKey != QLatin1String(ProductKey) || productSecret != QLatin1String(ProductSecret)
        || projectKey != QLatin1String(ProjectKey)) {
        *reason = QStringLiteral("unknown product or project credentials");
        return Verdict::Refused;
    }
    const QByteArray expected = sign(ProductKey, ProductSecret, timestampHeader);
    if (object.value(QLatin1String("sign")).toString().toLatin1() != expected) {
        *reason = QStringLiteral("\"sign\" does not match the credentials and the timestamp");
        return Verdict::Refused;
    }
    if (windowMs != 0) {
        const std::uint32_t ahead = timestamp - now;
        const std::uint32_t behind = now - timestamp;
        if (ahead > windowMs && behind > windowMs) {
            *reason = QStringLiteral("\"x-vesk-timestamp\" is too far from the current time");
            return Verdict::Refused;
        }
    }
    request->menuKey = menuKey.toString();
    request->deviceId = deviceId.toString();
    return Verdict::Accepted;
}

} // namespace Demo
