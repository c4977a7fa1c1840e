#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

// A program folder of the client's own in a temporary folder: a copy of the executable (the
// client takes its program folder from where the executable lies) and links to the rest of
// the build's program folder. The user's folders are redirected below it too.
class ClientFolder
{
public:
    explicit ClientFolder(const QString &programType);

    bool isValid() const { return m_valid; }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    QString programType() const { return m_programType; }
    QString userConfigDir() const { return m_dir.filePath(QStringLiteral("user/config")); }
    QString userDataDir() const { return m_dir.filePath(QStringLiteral("user/data")); }
    // The per-user store: organisation and application are both the program type.
    QString userStoreFile() const
    {
        return QStringLiteral("%1/%2/%2/%2.ini").arg(userConfigDir(), m_programType);
    }
    QProcessEnvironment environment() const;

    // Writes one Localcfg.ini value ("Log/Enable", ...).
    void setLocalConfig(const QString &key, const QVariant &value);
    QVariant localConfig(const QString &key) const;

    // Starts the client with the working folder given (the program folder by default).
    void start(QProcess &process, const QString &workingDir = QString()) const;
    // The visible top-level windows of a process and their titles, waiting up to timeoutMs
    // for one to appear.
    static QStringList waitForWindows(qint64 pid, int timeoutMs = 30000);
    static QString windowTitle(const QString &windowId);
    static bool pressReturn(const QString &windowId);

private:
    QTemporaryDir m_dir;
    QString m_programType;
    bool m_valid = false;
};
