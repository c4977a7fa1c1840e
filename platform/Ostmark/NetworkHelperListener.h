#pragma once

#include "NetworkError.h"

#include <QString>

namespace Common {

// Sees every failed request of the process (NetworkHelper), with the arguments its own
// listener got.
class NetworkHelperListener
{
public:
    virtual void onNetworkRequestError(Common::NetworkError error, const QString &text,
                                       const QString &name)
        = 0;

protected:
    ~NetworkHelperListener() = default;
};

} // namespace Common
