#include "DemoServiceProcess.h"

#include <QDeadlineTimer>

DemoServiceProcess::~DemoServiceProcess()
{
    stop();
}

QString DemoServiceProcess::executable()
{
    return QStringLiteral(KORVEL_DEMO_SERVICE);
}

QString DemoServiceProcess::webFolder()
{
    return QStringLiteral(KORVEL_SOURCE_DIR "/demo/web");
}

QString DemoServiceProcess::dataFolder()
{
    return QStringLiteral(KORVEL_SOURCE_DIR "/demo/data");
}

bool DemoServiceProcess::start(const QStringList &arguments, int timeoutMs)
{
    QStringList all {QStringLiteral("--port"), QStringLiteral("0")};
    if (!arguments.contains(QLatin1String("--web")))
        all << QStringLiteral("--web") << webFolder();
    if (!arguments.contains(QLatin1String("--data")))
        all << QStringLiteral("--data") << dataFolder();
    all << arguments;

    m_process.setProgram(executable());
    m_process.setArguments(all);
    m_process.setReadChannel(QProcess::StandardOutput);
    m_process.start();
    if (!m_process.waitForStarted(timeoutMs))
        return false;

    const QByteArray marker = "listening on ";
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        while (m_process.canReadLine()) {
            const QByteArray line = m_process.readLine().trimmed();
            const int at = line.indexOf(marker);
            if (at >= 0) {
                m_baseUrl = QUrl(QString::fromLatin1(line.mid(at + marker.size())));
                return m_baseUrl.isValid();
            }
        }
        if (m_process.state() != QProcess::Running
            || !m_process.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime()))))
            break;
    }
    return false;
}

void DemoServiceProcess::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

QUrl DemoServiceProcess::url(const QString &pathAndQuery) const
{
    return QUrl(m_baseUrl.toString() + pathAndQuery);
}

QByteArray DemoServiceProcess::errorOutput()
{
    return m_process.readAllStandardError();
}
