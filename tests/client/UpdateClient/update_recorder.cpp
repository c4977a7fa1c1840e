// Stands in for the updater: writes its command line, exactly, to "UpdateArgs.json" beside
// itself and ends. The file appears whole (written aside, then renamed), so a test can wait
// for it.
#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QJsonArray args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    QJsonObject record;
    record.insert(QStringLiteral("count"), argc - 1);
    record.insert(QStringLiteral("args"), args);
    QSaveFile file(QDir(QCoreApplication::applicationDirPath()).filePath("UpdateArgs.json"));
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write(QJsonDocument(record).toJson());
    return file.commit() ? 0 : 1;
}
