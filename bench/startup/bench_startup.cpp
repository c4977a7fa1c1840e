// Time from process start to the login page loaded, and memory after the login, of the client
// against a bare QWebEngineView program loading the same page, runs alternating, same machine.
// Memory is the proportional set size of the whole process tree (the browser's helper
// processes included). Needs an X server.
#include "BenchStats.h"
#include "DemoServiceProcess.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <signal.h>
#include <vector>

namespace {

constexpr int kRuns = 5;
constexpr int kSettleMs = 1500; // after the login, before memory is read

struct Sample
{
    double loadMs = -1;
    double loginMs = -1;
    double pssMb = -1;
};

QList<qint64> descendants(qint64 root)
{
    QList<qint64> tree{root};
    bool grew = true;
    while (grew) {
        grew = false;
        for (const QString &name : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
            bool ok = false;
            const qint64 pid = name.toLongLong(&ok);
            if (!ok || tree.contains(pid))
                continue;
            QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
            if (!stat.open(QIODevice::ReadOnly))
                continue;
            const QByteArray text = stat.readAll();
            const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
            if (fields.size() > 1 && tree.contains(fields.at(1).toLongLong())) {
                tree << pid;
                grew = true;
            }
        }
    }
    return tree;
}

double treePssMb(qint64 root)
{
    double kb = 0;
    for (qint64 pid : descendants(root)) {
        QFile rollup(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
        if (!rollup.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray &line : rollup.readAll().split('\n')) {
            if (line.startsWith("Pss:"))
                kb += line.mid(4).trimmed().split(' ').value(0).toDouble();
        }
    }
    return kb / 1024.0;
}

void waitMs(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

Sample measure(const QString &program, const QStringList &arguments, const QString &workingDir,
               const QProcessEnvironment &env, const QByteArray &loadMarker,
               const QByteArray &loginMarker)
{
    Sample sample;
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(workingDir);
    QElapsedTimer clock;
    QByteArray seen;
    QEventLoop loop;
    QObject::connect(&process, &QProcess::readyRead, [&] {
        seen += process.readAll();
        if (sample.loadMs < 0 && seen.contains(loadMarker))
            sample.loadMs = clock.nsecsElapsed() / 1e6;
        if (sample.loginMs < 0 && seen.contains(loginMarker)) {
            sample.loginMs = clock.nsecsElapsed() / 1e6;
            loop.quit();
        }
    });
    QObject::connect(&process, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), &loop,
                     &QEventLoop::quit);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    clock.start();
    process.start(program, arguments);
    loop.exec();
    if (sample.loginMs >= 0) {
        waitMs(kSettleMs);
        sample.pssMb = treePssMb(process.processId());
    } else {
        std::fprintf(stderr, "%s did not get through:\n%s\n", qPrintable(program),
                     seen.right(2000).constData());
    }
    for (qint64 pid : descendants(process.processId()))
        ::kill(pid_t(pid), SIGKILL);
    process.waitForFinished(10000);
    return sample;
}

// The client's own program folder: a copy of the executable (it takes its folder from there)
// and links to the rest.
bool makeClientFolder(const QString &folder, const QString &loginUrl, const QString &base)
{
    const QDir bin(QStringLiteral(KORVEL_BIN_DIR));
    for (const QString &name : bin.entryList(QDir::Files)) {
        if (name == QLatin1String("Korvel") || name == QLatin1String("Localcfg.ini"))
            QFile::copy(bin.filePath(name), folder + QLatin1Char('/') + name);
        else
            QFile::link(bin.filePath(name), folder + QLatin1Char('/') + name);
    }
    for (const char *dir : {"Skin", "Language"})
        QFile::link(bin.filePath(QLatin1String(dir)), folder + QLatin1Char('/') + QLatin1String(dir));
    QSettings local(folder + QStringLiteral("/Localcfg.ini"), QSettings::IniFormat);
    local.setValue(QStringLiteral("Web/LoginUrl"), loginUrl);
    local.setValue(QStringLiteral("Web/VersionUrl"), QString(base + QStringLiteral("/client/version")));
    local.setValue(QStringLiteral("Web/PlatformUrl"), base);
    local.setValue(QStringLiteral("Log/Enable"), true); // the markers come through the log
    local.sync();
    return local.status() == QSettings::NoError;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    DemoServiceProcess service;
    if (!service.start()) {
        std::fprintf(stderr, "demo service did not start\n");
        return 1;
    }
    const QString base = service.baseUrl().toString(QUrl::StripTrailingSlash);
    const QString loginUrl = base + QStringLiteral("/?autologin=bench");

    std::vector<double> clientLoad, clientLogin, clientPss, bareLoad, bareLogin, barePss;
    for (int run = 0; run < kRuns; ++run) {
        // Each run starts cold: a profile and settings of its own.
        QTemporaryDir home;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
        env.insert(QStringLiteral("XDG_CACHE_HOME"), home.filePath(QStringLiteral("cache")));
        QTemporaryDir clientFolder;
        if (!makeClientFolder(clientFolder.path(), loginUrl, base))
            return 1;

        const Sample bare = measure(QStringLiteral(BARE_WEBVIEW), {loginUrl}, home.path(), env,
                                    "loaded", "logged-in");
        const Sample client = measure(clientFolder.filePath(QStringLiteral("Korvel")), {},
                                      clientFolder.path(), env, "load finished, ok[1]",
                                      "login complete");
        if (bare.pssMb < 0 || client.pssMb < 0)
            return 1;
        std::printf("run %d: bare %.0f ms / %.0f ms / %.1f MB, client %.0f ms / %.0f ms / %.1f MB\n",
                    run + 1, bare.loadMs, bare.loginMs, bare.pssMb, client.loadMs, client.loginMs,
                    client.pssMb);
        bareLoad.push_back(bare.loadMs);
        bareLogin.push_back(bare.loginMs);
        barePss.push_back(bare.pssMb);
        clientLoad.push_back(client.loadMs);
        clientLogin.push_back(client.loginMs);
        clientPss.push_back(client.pssMb);
    }
    std::printf("\nmedians of %d runs          bare webview      client    ratio\n", kRuns);
    std::printf("start to login page loaded  %9.0f ms  %9.0f ms    %.2f\n", bench::median(bareLoad),
                bench::median(clientLoad), bench::median(clientLoad) / bench::median(bareLoad));
    std::printf("start to logged in          %9.0f ms  %9.0f ms    %.2f\n", bench::median(bareLogin),
                bench::median(clientLogin), bench::median(clientLogin) / bench::median(bareLogin));
    std::printf("memory after login (PSS)    %9.1f MB  %9.1f MB    %.2f\n", bench::median(barePss),
                bench::median(clientPss), bench::median(clientPss) / bench::median(barePss));
    return 0;
}
