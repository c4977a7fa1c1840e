#pragma once

#include <QProcess>
#include <QStringList>
#include <QUrl>

// The demo service as a child process of a test, listening on a port of its own choice, so
// that test programs can run in parallel. Stopped when the object goes. Thread of its owner.
class DemoServiceProcess
{
public:
    DemoServiceProcess() = default;
    ~DemoServiceProcess();

    // Starts the service with --port 0 and the source tree's web and data folders unless the
    // arguments name their own; waits for the line that names its address.
    bool start(const QStringList &arguments = QStringList(), int timeoutMs = 10000);
    void stop();

    QUrl baseUrl() const { return m_baseUrl; }
    QUrl url(const QString &pathAndQuery) const;
    QByteArray errorOutput();

    static QString executable();
    static QString webFolder();
    static QString dataFolder();

private:
    QProcess m_process;
    QUrl m_baseUrl;
};
