#pragma once

#include <QMetaType>
#include <QString>

// Records of the session services (PlayToken, QRCommon).

// The play token of one device, valid until iExpireTime (seconds since 1970, UTC).
struct PlayTokenInfo
{
    QString strDeviceId;
    QString strToken;
    qint64 iExpireTime = 0;
};

// One server of the consumer cloud's P2P service.
struct P2pServerAddress
{
    QString strScheme;
    QString strHost;
    int nPort = 0;
};

// The P2P service configuration of the session; bValid is false until one was fetched.
struct P2pServiceConfig
{
    P2pServerAddress p2pServer;
    P2pServerAddress relayServer;
    qint64 iExpireTime = 0;
    bool bValid = false;
};

Q_DECLARE_METATYPE(P2pServiceConfig)
