#pragma once

#include <QJsonObject>
#include <QString>

#include <mutex>
#include <string>

namespace Demo {

// Faults the service puts into its own answers so that tests can watch the client cope:
// an HTTP status instead of the answer, a delay before answering, a connection dropped after
// some bytes of the body, and a Content-Length that differs from the body.
//
// Any thread: the server's worker threads take a fault set per request while the control
// request replaces it; a mutex guards the state.
class FaultSwitches
{
public:
    struct Set
    {
        QString path; // applies to request paths starting with this; "" = all
        int status = 0; // answer with this status instead, 0 = off
        int delayMs = 0; // wait this long before answering
        qint64 dropAfterBytes = -1; // close the connection after this many body bytes
        qint64 contentLengthDelta = 0; // announce the body size plus this
        int count = -1; // requests still to affect; -1 = until cleared

        bool isActive() const;
    };

    void set(const Set &faults);
    Set current() const;

    // The faults for one request to path, counting it against the set's count. Control
    // requests are never affected. Returns an inactive set when nothing applies.
    Set take(const std::string &path);

    // Keys as toJson writes them; absent keys keep their defaults, so {} clears every fault.
    static bool fromJson(const QJsonObject &object, Set *faults, QString *error);
    static QJsonObject toJson(const Set &faults);

private:
    mutable std::mutex m_mutex;
    Set m_set;
};

} // namespace Demo
