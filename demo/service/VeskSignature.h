#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace Demo {

// The app store's check of a plugin-list request: the credentials in the body, the signature
// over them and the "x-vesk-timestamp" header, and the timestamp's age.
//
// The timestamp is whole seconds times 1000 in unsigned 32-bit arithmetic, so it wraps about
// every 49.7 days; its age is therefore measured modulo 2^32. Any thread; no state.
class VeskSignature
{
public:
    static const char *const ProductKey;
    static const char *const ProductSecret;
    static const char *const ProjectKey;

    enum class Verdict { Accepted, Malformed, Refused };

    struct Request
    {
        QString menuKey;
        QString deviceId;
    };

    // The signature the client sends: MD5 over "productKey&productSecret&timestamp", as 32
    // lower-case hexadecimal digits.
    static QByteArray sign(const QByteArray &productKey, const QByteArray &productSecret,
                           const QByteArray &timestamp);

    // The timestamp a client sends at secondsSinceEpoch.
    static std::uint32_t timestampAt(std::int64_t secondsSinceEpoch);

    // Checks one request. windowMs bounds the timestamp's distance from now (0 = no bound).
    // reason says why a request was not accepted.
    static Verdict check(const QByteArray &body, const QByteArray &timestampHeader,
                         std::uint32_t now, std::uint32_t windowMs, Request *request,
                         QString *reason);
};

} // namespace Demo
