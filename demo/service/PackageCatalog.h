#pragma once

#include <QJsonArray>
#include <QString>

namespace Demo {

// The app store's packages: the zip files of one folder, described by its "manifest.json":
//   {"packages": [{"name": "Alboro", "version": "1.0.1", "lowestVersion": "1.0.0",
//                  "forceUpdate": 0, "menuKeys": ["video"]}]}
// A package is offered only when "<name>.zip" lies in the folder. An entry without
// "menuKeys" is offered for every key; a zip without an entry is offered for every key as
// version "1.0.0". Folder and manifest are read at each call, so packages can be dropped in
// while the service runs. Any thread; no state besides the folder.
class PackageCatalog
{
public:
    explicit PackageCatalog(const QString &folder);

    QString folder() const { return m_folder; }

    // The "microApplicationList" for one key; downloadBase is the address that
    // "/download/<file>" is appended to.
    QJsonArray list(const QString &menuKey, const QString &downloadBase) const;

private:
    QString m_folder;
};

} // namespace Demo
