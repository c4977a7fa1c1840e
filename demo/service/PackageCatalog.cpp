#include "PackageCatalog.h"

#include "lumo/DPrintLog.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QUrl>

namespace Demo {

PackageCatalog::PackageCatalog(const QString &folder)
    : m_folder(folder)
{ }

QJsonArray PackageCatalog::list(const QString &menuKey, const QString &downloadBase) const
{
    QMap<QString, QJsonObject> manifest;
    QFile file(QDir(m_folder).filePath(QStringLiteral("manifest.json")));
    if (file.open(QIODevice::ReadOnly)) {
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
        if (error.error != QJsonParseError::NoError || !document.isObject()) {
            LUMO_LOG(6, "manifest %s is not a JSON object: %s", qPrintable(file.fileName()),
                     qPrintable(error.errorString()));
        } else {
            const QJsonArray packages
                = document.object().value(QLatin1String("packages")).toArray();
            for (const QJsonValue &value : packages) {
                const QJsonObject entry = value.toObject();
                manifest.insert(entry.value(QLatin1String("name")).toString(), entry);
            }
        }
    }

    QJsonArray result;
    const QStringList zips = QDir(m_folder).entryList({QStringLiteral("*.zip")},
                                                      QDir::Files | QDir::Readable, QDir::Name);
    for (const QString &zip : zips) {
        const QString name = zip.left(zip.size() - 4);
        const QJsonObject entry = manifest.value(name);
        if (entry.contains(QLatin1String("menuKeys"))) {
            const QJsonArray keys = entry.value(QLatin1String("menuKeys")).toArray();
            if (!keys.contains(QJsonValue(menuKey)))
                continue;
        }
        const QString version = entry.contains(QLatin1String("version"))
            ? entry.value(QLatin1String("version")).toString()
            : QStringLiteral("1.0.0");
        const QString url = downloadBase + QStringLiteral("/download/")
            + QString::fromLatin1(QUrl::toPercentEncoding(zip));
        result.append(QJsonObject {
            {QStringLiteral("name"), name},
            {QStringLiteral("pcPackageFileName"), url},
            {QStringLiteral("version"), version},
            {QStringLiteral("lowestVersion"),
             entry.value(QLatin1String("lowestVersion")).toString(version)},
            {QStringLiteral("forceUpdate"), entry.value(QLatin1String("forceUpdate")).toInt(0)}});
    }
    return result;
}

} // namespace Demo
