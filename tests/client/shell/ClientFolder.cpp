#include "ClientFolder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QThread>

namespace {

QString runTool(const QStringList &arguments, int timeoutMs = 10000)
{
    QProcess tool;
    tool.start(QStringLiteral("xdotool"), arguments);
    if (!tool.waitForFinished(timeoutMs))
        tool.kill();
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

} // namespace

ClientFolder::ClientFolder(const QString &programType) : m_programType(programType)
{
    if (!m_dir.isValid())
        return;
    const QDir bin(QStringLiteral(KORVEL_BIN_DIR));
    // The installed files only: a client run from the build's program folder leaves its own
    // folders there (log, tmp, records), which must not leak into this one.
    const QStringList folders{QStringLiteral("Skin"), QStringLiteral("Language"),
                              QStringLiteral("plugins")};
    for (const QString &name : bin.entryList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
        if (QFileInfo(bin.filePath(name)).isDir() && !folders.contains(name))
            continue;
        if (name == QLatin1String("OpenGL.cfg"))
            continue;
        const QString target = m_dir.filePath(name);
        if (name == QLatin1String("Korvel") || name == QLatin1String("Localcfg.ini"))
            QFile::copy(bin.filePath(name), target);
        else
            QFile::link(bin.filePath(name), target);
    }
    QDir().mkpath(userConfigDir());
    QDir().mkpath(userDataDir());
    setLocalConfig(QStringLiteral("Type/Program"), programType);
    setLocalConfig(QStringLiteral("Type/Language"), QStringLiteral("en"));
    m_valid = QFile::exists(filePath(QStringLiteral("Korvel")));
}

QProcessEnvironment ClientFolder::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), userConfigDir());
    env.insert(QStringLiteral("XDG_DATA_HOME"), userDataDir());
    env.insert(QStringLiteral("XDG_CACHE_HOME"), m_dir.filePath(QStringLiteral("user/cache")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.path());
    return env;
}

void ClientFolder::setLocalConfig(const QString &key, const QVariant &value)
{
    QSettings settings(filePath(QStringLiteral("Localcfg.ini")), QSettings::IniFormat);
    settings.setIniCodec("UTF-8");
    settings.setValue(key, value);
}

QVariant ClientFolder::localConfig(const QString &key) const
{
    QSettings settings(filePath(QStringLiteral("Localcfg.ini")), QSettings::IniFormat);
    settings.setIniCodec("UTF-8");
    return settings.value(key);
}

void ClientFolder::start(QProcess &process, const QString &workingDir) const
{
    process.setProcessEnvironment(environment());
    process.setWorkingDirectory(workingDir.isEmpty() ? path() : workingDir);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(filePath(QStringLiteral("Korvel")), {});
    process.waitForStarted();
}

QStringList ClientFolder::waitForWindows(qint64 pid, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs) {
        const QString found = runTool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                       QStringLiteral("--pid"), QString::number(pid)});
        if (!found.isEmpty())
            return found.split(QLatin1Char('\n'));
        QThread::msleep(100); // polling another process's windows: there is no signal to wait on
    }
    return {};
}

QString ClientFolder::windowTitle(const QString &windowId)
{
    return runTool({QStringLiteral("getwindowname"), windowId});
}

bool ClientFolder::pressReturn(const QString &windowId)
{
    runTool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), windowId});
    QProcess tool;
    tool.start(QStringLiteral("xdotool"),
               {QStringLiteral("key"), QStringLiteral("--clearmodifiers"), QStringLiteral("Return")});
    return tool.waitForFinished(10000) && tool.exitCode() == 0;
}
