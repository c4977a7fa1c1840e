#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>

namespace Demo {

// The client version answer, from "version.json" of the data folder:
//   {"version": "V1.000.0000001.0.R", "leastVersion": "...", "desc": "...",
//    "package": "KorvelSetup.run", "url": "...", "filesize": "..."}
// "url" and "filesize" are optional: without them they are made from "package", a file looked
// up in the download folders (its address below /download/ and its size in bytes).
// Every value of the answer's "data" is a JSON string, as the client reads only strings.
// With an "answer" object in the file, that object is sent as it is instead.
// The file is read at each call. Any thread.
class VersionAnswer
{
public:
    VersionAnswer(const QString &dataFolder, const QStringList &downloadFolders);

    QJsonObject answer(const QString &downloadBase) const;

private:
    QString m_dataFolder;
    QStringList m_downloadFolders;
};

} // namespace Demo
