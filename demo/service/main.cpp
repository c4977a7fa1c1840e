#include "DemoService.h"

#include "lumo/DPrintLog.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QJsonObject>

#include <cstdio>
#include <cstdlib>
#include <thread>

#ifdef Q_OS_UNIX
#include <signal.h>
#endif

namespace {

bool readInt(const QCommandLineParser &parser, const QString &name, qint64 minimum, qint64 *value)
{
    if (!parser.isSet(name))
        return true;
    bool ok = false;
    const qint64 parsed = parser.value(name).toLongLong(&ok);
    if (!ok || parsed < minimum) {
        std::fprintf(stderr, "--%s needs an integer of at least %lld\n", qPrintable(name),
                     static_cast<long long>(minimum));
        return false;
    }
    *value = parsed;
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
#ifdef Q_OS_UNIX
    // Termination signals are taken by one thread (below); the server's threads inherit the
    // blocked mask.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
#endif

    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("korvel-demo-service"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Stand-in for the cloud service: serves the demo web application and the JSON "
        "endpoints the client calls."));
    parser.addHelpOption();
    parser.addOptions({
        {QStringLiteral("port"), QStringLiteral("Port to listen on; 0 picks a free one."),
         QStringLiteral("N"), QStringLiteral("18080")},
        {QStringLiteral("host"), QStringLiteral("Address to listen on."), QStringLiteral("ADDR"),
         QStringLiteral("127.0.0.1")},
        {QStringLiteral("web"), QStringLiteral("Folder of the web application."),
         QStringLiteral("DIR")},
        {QStringLiteral("data"),
         QStringLiteral("Data folder (version.json, downloads/, packages/)."),
         QStringLiteral("DIR")},
        {QStringLiteral("packages"),
         QStringLiteral("App-store package folder; default: the data folder's packages/."),
         QStringLiteral("DIR")},
        {QStringLiteral("tls-cert"), QStringLiteral("PEM certificate: serve HTTPS."),
         QStringLiteral("FILE")},
        {QStringLiteral("tls-key"), QStringLiteral("PEM private key of the certificate."),
         QStringLiteral("FILE")},
        {QStringLiteral("vesk-window-ms"),
         QStringLiteral("Allowed distance of an app-store timestamp from now; 0 = any."),
         QStringLiteral("MS")},
        {QStringLiteral("fault-path"), QStringLiteral("Faults apply to paths starting with this."),
         QStringLiteral("PREFIX")},
        {QStringLiteral("fault-status"), QStringLiteral("Answer with this HTTP status instead."),
         QStringLiteral("CODE")},
        {QStringLiteral("fault-delay-ms"), QStringLiteral("Wait before answering."),
         QStringLiteral("MS")},
        {QStringLiteral("fault-drop-after"),
         QStringLiteral("Close the connection after this many body bytes."),
         QStringLiteral("BYTES")},
        {QStringLiteral("fault-length-delta"),
         QStringLiteral("Announce a Content-Length this much off the body size."),
         QStringLiteral("BYTES")},
        {QStringLiteral("fault-count"),
         QStringLiteral("Number of requests the faults affect; -1 = all."), QStringLiteral("N")},
        {QStringLiteral("verbose"), QStringLiteral("Log every request to standard error.")},
    });
    parser.process(app);

    if (parser.isSet(QStringLiteral("verbose")))
        lumo::DPrintLog::instance()->SetStderr(true);

    Demo::DemoService::Options options;
    options.webFolder = parser.value(QStringLiteral("web"));
    options.dataFolder = parser.value(QStringLiteral("data"));
    options.packageFolder = parser.value(QStringLiteral("packages"));
    if (options.packageFolder.isEmpty() && !options.dataFolder.isEmpty())
        options.packageFolder = QDir(options.dataFolder).filePath(QStringLiteral("packages"));
    options.tlsCertificate = parser.value(QStringLiteral("tls-cert"));
    options.tlsKey = parser.value(QStringLiteral("tls-key"));
    if (options.webFolder.isEmpty()) {
        std::fprintf(stderr, "--web DIR is required\n");
        return 2;
    }
    if (options.tlsCertificate.isEmpty() != options.tlsKey.isEmpty()) {
        std::fprintf(stderr, "--tls-cert and --tls-key go together\n");
        return 2;
    }

    qint64 port = 18080;
    qint64 window = options.veskWindowMs;
    if (!readInt(parser, QStringLiteral("port"), 0, &port)
        || !readInt(parser, QStringLiteral("vesk-window-ms"), 0, &window))
        return 2;
    if (port > 65535) {
        std::fprintf(stderr, "--port must lie in 0..65535\n");
        return 2;
    }
    options.veskWindowMs = std::uint32_t(qMin<qint64>(window, 0xffffffffLL));

    // The switches given here pass the same checks as those of the control request.
    QJsonObject faults;
    if (parser.isSet(QStringLiteral("fault-path")))
        faults.insert(QStringLiteral("path"), parser.value(QStringLiteral("fault-path")));
    const QList<QPair<QString, QString>> numbers {
        {QStringLiteral("fault-status"), QStringLiteral("status")},
        {QStringLiteral("fault-delay-ms"), QStringLiteral("delayMs")},
        {QStringLiteral("fault-drop-after"), QStringLiteral("dropAfterBytes")},
        {QStringLiteral("fault-length-delta"), QStringLiteral("contentLengthDelta")},
        {QStringLiteral("fault-count"), QStringLiteral("count")}};
    for (const auto &number : numbers) {
        if (!parser.isSet(number.first))
            continue;
        bool ok = false;
        const qint64 value = parser.value(number.first).toLongLong(&ok);
        if (!ok) {
            std::fprintf(stderr, "--%s needs an integer\n", qPrintable(number.first));
            return 2;
        }
        faults.insert(number.second, double(value));
    }
    QString faultError;
    if (!Demo::FaultSwitches::fromJson(faults, &options.faults, &faultError)) {
        std::fprintf(stderr, "fault switches: %s\n", qPrintable(faultError));
        return 2;
    }

    Demo::DemoService service(options);
    if (!service.isValid())
        return 1;
    if (service.bind(parser.value(QStringLiteral("host")), int(port)) < 0) {
        std::fprintf(stderr, "cannot listen on %s port %lld\n",
                     qPrintable(parser.value(QStringLiteral("host"))),
                     static_cast<long long>(port));
        return 1;
    }
    // Tests and scripts read this line to learn the port.
    std::printf("korvel-demo-service listening on %s\n", qPrintable(service.baseUrl()));
    std::fflush(stdout);

#ifdef Q_OS_UNIX
    // A termination signal ends the process at once: the service keeps nothing that needs
    // saving, and a graceful stop would wait for every idle keep-alive connection to time out.
    std::thread stopper([stopSignals] {
        int signal = 0;
        if (sigwait(&stopSignals, &signal) == 0) {
            LUMO_LOG(4, "stopping on signal %d", signal);
            lumo::DPrintLog::instance()->Flush();
            std::fflush(stdout);
            std::_Exit(0);
        }
    });
    stopper.detach();
#endif
    const bool served = service.run();
    return served ? 0 : 1;
}
