#include "CUpdateClient.h"

#include "Ostmark/AuthCenter.h"
#include "Ostmark/CClientInfo.h"
#include "Ostmark/CLocalConfig.h"
#include "Ostmark/CStorePaths.h"
#include "Ostmark/Network.h"
#include "lumo/DPrintLog.h"
#include "os/OsProcess.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QProcess>
#include <QStringList>
#include <QThread>
#include <QUrl>

namespace {

const QString kRequestName = QStringLiteral("queryClientVersion");
constexpr int kTimeoutMs = 10000;

// Render processes of each edition, which the updater ends before installing.
QString renderProcessName(const QString &programType)
{
    if (programType == QLatin1String("KorvelArden"))
        return os::OsProcess::executableFileName(QStringLiteral("ZoCefRenderArden"));
    if (programType == QLatin1String("KorvelBrisa"))
        return os::OsProcess::executableFileName(QStringLiteral("ZoCefRenderBrisa"));
    if (programType == QLatin1String("KorvelCalen"))
        return os::OsProcess::executableFileName(QStringLiteral("ZoCefRenderCalen"));
    return QString();
}

// The updater downloads whatever it is given; only a web address is handed on.
bool isDownloadUrl(const QString &text)
{
    const QUrl url(text);
    const QString scheme = url.scheme().toLower();
    return url.isValid() && !url.host().isEmpty()
        && (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

} // namespace

CUpdateClient::CUpdateClient(QObject *parent)
    : QObject(parent)
{ }

CUpdateClient::~CUpdateClient()
{
    if (m_pNetwork) {
        m_pNetwork->deregisterObject(this);
        m_pNetwork->cancleRequest();
        // The request object may be inside one of its own signals right now.
        m_pNetwork->deleteLater();
    }
}

void CUpdateClient::queryVersion(const QString &url)
{
    Q_ASSERT(QThread::currentThread() == thread());
    if (!m_pNetwork) {
        const QString address
            = url.isEmpty() ? ConfigInfo::CLocalConfig::instance()->getVersionUrl() : url;
        m_pNetwork = new Common::Network(kRequestName);
        m_pNetwork->registerObject(this);
        m_pNetwork->setTimeoutTime(kTimeoutMs);
        m_pNetwork->setRequestUrl(address);
    }
    const QString token = AuthCenter::instance()->getToken();
    if (!token.isEmpty())
        m_pNetwork->setAuthorization(token);
    m_byteAnswer.clear();
    m_pNetwork->getRequest();
}

qlonglong CUpdateClient::versionNumber(const QString &version)
{
    const QStringList parts = version.split(QLatin1Char('.'), Qt::KeepEmptyParts);
    if (parts.size() != 5)
        return 0;
    QString minor = parts.at(3);
    if (minor.toInt() < 10)
        minor.prepend(QLatin1Char('0'));
    bool ok = false;
    const qlonglong number = QString(parts.at(2) + minor).toLongLong(&ok);
    return ok ? number : 0;
}

void CUpdateClient::onNetworkData(const QByteArray &chunk, const QString &name)
{
    Q_ASSERT(QThread::currentThread() == thread());
    if (name == kRequestName)
        m_byteAnswer.append(chunk);
}

void CUpdateClient::onNetworkFinished(const QString &name)
{
    Q_ASSERT(QThread::currentThread() == thread());
    if (name == kRequestName)
        dealWithClientVersionResult();
}

void CUpdateClient::onNetworkError(Common::NetworkError, const QString &, const QString &)
{
    // A failed check waits for the next query; the request object has logged it already.
}

void CUpdateClient::dealWithClientVersionResult()
{
    const int zero = m_byteAnswer.indexOf('\0');
    const QByteArray body = zero < 0 ? m_byteAnswer : m_byteAnswer.left(zero);

    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError) {
        LUMO_LOG(6, "version info Json error[%s]", qUtf8Printable(error.errorString()));
        return;
    }
    if (!doc.isObject()) {
        LUMO_LOG(6, "version info Json format error[%s]", body.constData());
        return;
    }
    const QJsonObject root = doc.object();
    if (!root.contains(QLatin1String("code")) || !root.contains(QLatin1String("data"))) {
        LUMO_LOG(6, "version info Json context error[%s]", body.constData());
        return;
    }

    const QString renderName
        = renderProcessName(ConfigInfo::CLocalConfig::instance()->getProgram());

    const QJsonObject data = root.value(QLatin1String("data")).toObject();
    const QString version = data.value(QLatin1String("version")).toString();
    const QString fileSize = data.value(QLatin1String("filesize")).toString();
    const QString url = data.value(QLatin1String("url")).toString();
    const QString leastVersion = data.value(QLatin1String("leastVersion")).toString();
    const QString desc = data.value(QLatin1String("desc")).toString();

    if (m_strVersion.isEmpty() && m_strLeastVersion.isEmpty()) {
        m_strVersion = version;
        m_strFileSize = fileSize;
        m_strLeastVersion = leastVersion;
        m_strDesc = desc;
    } else if (version == m_strVersion && leastVersion == m_strLeastVersion) {
        return; // handled before
    }

    // Versions of another line are never offered.
    if (!version.contains(QLatin1String("V1.000.")))
        return;

    const QString localVersion = ConfigInfo::CClientInfo::instance()->getClientVersion();
    const qlonglong localNumber = versionNumber(localVersion);
    if (versionNumber(version) <= localNumber) {
        LUMO_LOG(4, "local version update to Host,don't need to update ");
        return;
    }
    if (!isDownloadUrl(url)) {
        LUMO_LOG(6, "version info url error[%s]", qUtf8Printable(url));
        return;
    }

    LUMO_LOG(4, "start to open update appliaction");
    QString forced = QStringLiteral("false");
    if (leastVersion.split(QLatin1Char('.'), Qt::KeepEmptyParts).size() == 5
        && versionNumber(leastVersion) > localNumber) {
        forced = QStringLiteral("true");
        LUMO_LOG(4, "least version update to local, need to update");
    }
    LUMO_LOG(4, "open update application!");

    // No earlier updater may still be running.
    const QString updaterName = os::OsProcess::executableFileName(QStringLiteral("Update"));
    os::OsProcess::terminateByName(updaterName);

    const QStringList arguments {url,        fileSize,
                                 forced,     localVersion,
                                 desc,       QString::number(os::OsProcess::currentPid()),
                                 renderName, QString()};
    // The updater ends this process by its id; the client does not quit by itself.
    QProcess::startDetached(
        ConfigInfo::CStorePaths::programFolder() + QLatin1Char('/') + updaterName, arguments);
}
