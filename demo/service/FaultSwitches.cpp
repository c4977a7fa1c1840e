#include "FaultSwitches.h"

#include <QJsonValue>

#include <limits>

namespace Demo {

namespace {

const char *const kControlPrefix = "/control/";

bool readInteger(const QJsonObject &object, const char *key, qint64 minimum, qint64 *value,
                 QString *error)
{
    const QJsonValue v = object.value(QLatin1String(key));
    if (v.isUndefined())
        return true;
    if (!v.isDouble() || v.toDouble() != double(qint64(v.toDouble()))
        || qint64(v.toDouble()) < minimum) {
        *error = QStringLiteral("\"%1\" must be an integer of at least %2")
                     .arg(QLatin1String(key))
                     .arg(minimum);
        return false;
    }
    *value = qint64(v.toDouble());
    return true;
}

} // namespace

bool FaultSwitches::Set::isActive() const
{
    return count != 0
        && (status != 0 || delayMs > 0 || dropAfterBytes >= 0 || contentLengthDelta != 0);
}

void FaultSwitches::set(const Set &faults)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_set = faults;
}

FaultSwitches::Set FaultSwitches::current() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_set;
}

FaultSwitches::Set FaultSwitches::take(const std::string &path)
{
    const QString requestPath = QString::fromStdString(path);
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_set.isActive() || requestPath.startsWith(QLatin1String(kControlPrefix))
        || !requestPath.startsWith(m_set.path))
        return Set();
    const Set applied = m_set;
    if (m_set.count > 0)
        --m_set.count;
    return applied;
}

bool FaultSwitches::fromJson(const QJsonObject &object, Set *faults, QString *error)
{
    Set parsed;
    const QJsonValue path = object.value(QLatin1String("path"));
    if (!path.isUndefined()) {
        if (!path.isString()) {
            *error = QStringLiteral("\"path\" must be a string");
            return false;
        }
        parsed.path = path.toString();
    }
    qint64 status = parsed.status;
    qint64 delayMs = parsed.delayMs;
    qint64 count = parsed.count;
    if (!readInteger(object, "status", 0, &status, error)
        || !readInteger(object, "delayMs", 0, &delayMs, error)
        || !readInteger(object, "dropAfterBytes", -1, &parsed.dropAfterBytes, error)
        || !readInteger(object, "contentLengthDelta", std::numeric_limits<qint32>::min(),
                        &parsed.contentLengthDelta, error)
        || !readInteger(object, "count", -1, &count, error))
        return false;
    if (status != 0 && (status < 100 || status > 599)) {
        *error = QStringLiteral("\"status\" must be 0 or an HTTP status");
        return false;
    }
    if (delayMs > 600000) {
        *error = QStringLiteral("\"delayMs\" must be at most 600000");
        return false;
    }
    parsed.status = int(status);
    parsed.delayMs = int(delayMs);
    parsed.count = int(qMin<qint64>(count, std::numeric_limits<int>::max()));
    *faults = parsed;
    return true;
}

QJsonObject FaultSwitches::toJson(const Set &faults)
{
    return QJsonObject {{QStringLiteral("path"), faults.path},
                        {QStringLiteral("status"), faults.status},
                        {QStringLiteral("delayMs"), faults.delayMs},
                        {QStringLiteral("dropAfterBytes"), double(faults.dropAfterBytes)},
                        {QStringLiteral("contentLengthDelta"), double(faults.contentLengthDelta)},
                        {QStringLiteral("count"), faults.count}};
}

} // namespace Demo
