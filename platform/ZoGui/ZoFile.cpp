#include "ZoFile.h"

#include "lumo/DPrintLog.h"

#include <QDir>
#include <QFile>

namespace ZoGUI {

QByteArray ZoFile::ReadAll(const QStringList &fileNames, const QString &folder)
{
    const QDir dir(folder);
    QByteArray all;
    for (const QString &name : fileNames) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly)) {
            LUMO_LOG(4, "skipped %s: %s", qUtf8Printable(file.fileName()),
                     qUtf8Printable(file.errorString()));
            continue;
        }
        all += file.readAll();
    }
    return all;
}

} // namespace ZoGUI
