#pragma once

#include "FaultSwitches.h"
#include "PackageCatalog.h"
#include "SessionStore.h"
#include "VersionAnswer.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace httplib {
class Server;
struct Request;
struct Response;
} // namespace httplib

namespace Demo {

// The stand-in for the cloud service: the web application's files and the JSON endpoints
// the client calls (version, app store, downloads, session), with fault switches for tests.
// The endpoints are listed in this folder's README.md.
//
// bind() and run() belong to one thread, which run() blocks until stop(); stop() may be
// called from any thread. Requests are answered on the server's worker threads; every member
// they use is immutable after construction or guards itself.
class DemoService
{
public:
    struct Options
    {
        QString webFolder;
        QString dataFolder; // version.json and downloads/; may be empty
        QString packageFolder; // the app store's zip files and manifest.json
        QString tlsCertificate; // both set: HTTPS instead of HTTP
        QString tlsKey;
        std::uint32_t veskWindowMs = 300000; // allowed age of an app-store timestamp
        FaultSwitches::Set faults; // in force from the start
    };

    explicit DemoService(const Options &options);
    ~DemoService();

    DemoService(const DemoService &) = delete;
    DemoService &operator=(const DemoService &) = delete;

    // False when the TLS files could not be loaded or the web folder is missing.
    bool isValid() const;
    // Binds the listening socket; port 0 picks a free port. Returns the port, or -1.
    int bind(const QString &host, int port);
    QString baseUrl() const;
    // Serves until stop(); false when serving failed.
    bool run();
    void stop();

private:
    void registerRoutes();
    QString baseUrlOf(const httplib::Request &request) const;
    // The user a request's token belongs to; answers 401 and returns empty when there is none.
    QString requireSession(const httplib::Request &request, httplib::Response &response) const;

    void onVersion(const httplib::Request &request, httplib::Response &response);
    void onAppStore(const httplib::Request &request, httplib::Response &response);
    void onDownload(const httplib::Request &request, httplib::Response &response);
    void onLogin(const httplib::Request &request, httplib::Response &response);
    void onLogout(const httplib::Request &request, httplib::Response &response);
    void onCheck(const httplib::Request &request, httplib::Response &response);
    void onPlayTokens(const httplib::Request &request, httplib::Response &response);
    void onP2pConfig(const httplib::Request &request, httplib::Response &response);
    void onFaults(const httplib::Request &request, httplib::Response &response);

    Options m_options;
    bool m_tls = false;
    QString m_host;
    int m_port = -1;
    std::unique_ptr<httplib::Server> m_server;
    FaultSwitches m_faults;
    PackageCatalog m_packages;
    VersionAnswer m_version;
    SessionStore m_sessions;
};

} // namespace Demo
