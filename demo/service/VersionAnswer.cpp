#include "VersionAnswer.h"

#include "lumo/DPrintLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QUrl>

namespace Demo {

namespace {

// Values a missing or broken file falls back to: an old version, so no client is asked to
// update by accident.
const char *const kDefaultVersion = "V1.000.0000001.0.R";

QString text(const QJsonObject &object, const char *key, const QString &fallback = QString())
{
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isString())
        return value.toString();
    if (value.isDouble())
        return QString::number(qint64(value.toDouble()));
    return fallback;
}

} // namespace

VersionAnswer::VersionAnswer(const QString &dataFolder, const QStringList &downloadFolders)
    : m_dataFolder(dataFolder)
    , m_downloadFolders(downloadFolders)
{ }

QJsonObject VersionAnswer::answer(const QString &downloadBase) const
{
    QJsonObject config;
    QFile file(QDir(m_dataFolder).filePath(QStringLiteral("version.json")));
    if (!m_dataFolder.isEmpty() && file.open(QIODevice::ReadOnly)) {
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
        if (error.error == QJsonParseError::NoError && document.isObject())
            config = document.object();
        else
            LUMO_LOG(6, "%s is not a JSON object: %s", qPrintable(file.fileName()),
                     qPrintable(error.errorString()));
    }

    // A verbatim answer lets a test hand the client malformed or unusual answers.
    const QJsonValue verbatim = config.value(QLatin1String("answer"));
    if (verbatim.isObject())
        return verbatim.toObject();

    const QString package = text(config, "package");
    QString url = text(config, "url");
    QString fileSize = text(config, "filesize");
    if (!package.isEmpty()) {
        if (url.isEmpty())
            url = downloadBase + QStringLiteral("/download/")
                + QString::fromLatin1(QUrl::toPercentEncoding(package));
        if (fileSize.isEmpty()) {
            for (const QString &folder : m_downloadFolders) {
                const QFileInfo info(QDir(folder).filePath(package));
                if (info.isFile()) {
                    fileSize = QString::number(info.size());
                    break;
                }
            }
        }
    }

    const QString version = text(config, "version", QLatin1String(kDefaultVersion));
    const QJsonObject data {{QStringLiteral("version"), version},
                            {QStringLiteral("filesize"), fileSize},
                            {QStringLiteral("url"), url},
                            {QStringLiteral("leastVersion"), text(config, "leastVersion", version)},
                            {QStringLiteral("desc"), text(config, "desc")}};
    return QJsonObject {{QStringLiteral("code"), 0},
                        {QStringLiteral("msg"), QStringLiteral("success")},
                        {QStringLiteral("data"), data}};
}

} // namespace Demo
