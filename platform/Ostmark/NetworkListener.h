#pragma once

#include "NetworkError.h"

#include <QByteArray>
#include <QString>

namespace Common {

// Receives the outcome of the requests of a Network object it registered with. The calls
// arrive on the thread that made the Network object, one at a time, never from inside the
// call that started the request. For one request: zero or more onNetworkData with the body
// in order, then exactly one of onNetworkFinished or onNetworkError; a cancelled or
// superseded request reports nothing more.
class NetworkListener
{
public:
    virtual void onNetworkData(const QByteArray &chunk, const QString &name) = 0;
    virtual void onNetworkFinished(const QString &name) = 0;
    virtual void onNetworkError(Common::NetworkError error, const QString &text,
                                const QString &name)
        = 0;

protected:
    ~NetworkListener() = default;
};

} // namespace Common
