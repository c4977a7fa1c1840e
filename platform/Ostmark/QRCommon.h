#pragma once

#include "SessionRecords.h"
#include "ostmark_global.h"

#include <QObject>

#include <mutex>

class P2pServiceFetcher;
class QThread;

// The P2P environment of the consumer cloud: the service configuration of the session,
// fetched on a thread of its own from the service's session endpoint:
// GET <PlatformUrl>/session/p2pConfig with the login token as authorization, answer
// {"data": {"p2pServer": {"scheme", "host", "port"}, "relayServer": {...}, "expireTime"}}.
//
// Thread-safe. initEnvironment and uninitEnvironment belong to the GUI thread;
// sgnP2pServiceConfigResult is emitted from the worker thread (queued to receivers on
// others).
class OSTMARK_EXPORT QRCommon : public QObject
{
    Q_OBJECT

public:
    static QRCommon *instance();

    static constexpr const char *RequestPath = "/session/p2pConfig";
    static constexpr const char *RequestName = "p2pConfig";

    // Starts the worker thread (at login completion); a second call changes nothing.
    void initEnvironment();
    // Stops the worker and forgets the configuration (at exit).
    void uninitEnvironment();
    // Forgets the configuration (at logout); a fetch still running is dropped.
    void clearP2pService();

    // Returns at once; the result comes with sgnP2pServiceConfigResult. A call while a
    // fetch runs joins that fetch. Without the environment or without a login token the
    // result is false, with no request.
    void getP2pServiceConfigByThread();

    P2pServiceConfig getP2pServiceConfig() const;
    bool isEnvironmentReady() const;

signals:
    void sgnP2pServiceConfigResult(bool result);

private:
    friend class P2pServiceFetcher;
    QRCommon() = default;

    // From the worker thread.
    void fetchEnded(quint64 generation, bool ok, const P2pServiceConfig &config);
    void reportLater(bool result);

    mutable std::mutex m_mutex;
    QThread *m_pThread = nullptr;
    P2pServiceFetcher *m_pFetcher = nullptr;
    P2pServiceConfig m_config;
    quint64 m_generation = 0;
    bool m_bFetching = false;
};
