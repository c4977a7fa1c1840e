#include "DecompressionZip.h"

#include "lumo/DPrintLog.h"

#include <quazip5/quazip.h>
#include <quazip5/quazipfile.h>
#include <quazip5/quazipfileinfo.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QVector>

namespace {

struct Entry
{
    QString name;
    QString relativePath;
    bool isDir = false;
    bool skip = false; // "./": the destination itself
};

bool isInside(const QString &canonicalPath, const QString &canonicalRoot)
{
    return canonicalPath == canonicalRoot
        || canonicalPath.startsWith(canonicalRoot + QLatin1Char('/'));
}

} // namespace

DecompressionZip::DecompressionZip(QObject *parent)
    : QThread(parent)
{ }

DecompressionZip::~DecompressionZip()
{
    requestInterruption();
    wait();
}

void DecompressionZip::setDecompressPath(const QString &zipFile, const QString &folder)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_strZipFile = zipFile;
    m_strFolder = folder;
}

QString DecompressionZip::zipFile() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_strZipFile;
}

QString DecompressionZip::folder() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_strFolder;
}

QString DecompressionZip::errorString() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_strError;
}

QString DecompressionZip::safeEntryPath(const QString &entryName)
{
    // Windows separators, drive letters and stream names would mean something else there
    // than here; refusing them keeps one rule for both systems.
    if (entryName.isEmpty() || entryName.startsWith(QLatin1Char('/'))
        || entryName.contains(QLatin1Char('\\')) || entryName.contains(QLatin1Char(':'))
        || entryName.contains(QChar(0)))
        return QString();
    QStringList parts;
    for (const QString &part : entryName.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String("."))
            continue;
        if (part == QLatin1String(".."))
            return QString();
        parts.append(part);
    }
    return parts.join(QLatin1Char('/'));
}

void DecompressionZip::run()
{
    const QString zip = zipFile();
    const QString dest = folder();
    QString error;
    const bool ok = unpack(zip, dest, &error);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_strError = error;
    }
    if (ok) {
        LUMO_LOG(4, "unpacked [%s] into [%s]", qUtf8Printable(zip), qUtf8Printable(dest));
        emit sgnDecompressionSuccess(zip, dest);
    } else {
        LUMO_LOG(6, "cannot unpack [%s] into [%s]: %s", qUtf8Printable(zip), qUtf8Printable(dest),
                 qUtf8Printable(error));
        emit sgnDecompressionFailed(zip, dest);
    }
}

bool DecompressionZip::unpack(const QString &zipFile, const QString &folder, QString *error)
{
    if (zipFile.isEmpty() || folder.isEmpty()) {
        *error = QStringLiteral("no archive or no folder given");
        return false;
    }
    QuaZip zip(zipFile);
    if (!zip.open(QuaZip::mdUnzip)) {
        *error = QStringLiteral("not a readable zip archive (code %1)").arg(zip.getZipError());
        return false;
    }

    // Every name is checked before anything is written.
    QVector<Entry> entries;
    for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
        Entry entry;
        entry.name = zip.getCurrentFileName();
        entry.relativePath = safeEntryPath(entry.name);
        entry.isDir = entry.name.endsWith(QLatin1Char('/'));
        if (entry.relativePath.isEmpty()) {
            entry.skip
                = entry.isDir && safeEntryPath(entry.name + QLatin1Char('x')) == QLatin1String("x");
            if (!entry.skip) {
                *error = QStringLiteral("refused entry name [%1]").arg(entry.name);
                return false;
            }
        }
        entries.append(entry);
    }
    if (zip.getZipError() != UNZ_OK) {
        *error = QStringLiteral("damaged archive directory (code %1)").arg(zip.getZipError());
        return false;
    }

    if (!QDir().mkpath(folder)) {
        *error = QStringLiteral("cannot create the folder");
        return false;
    }
    const QString root = QFileInfo(folder).canonicalFilePath();

    int index = 0;
    for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
        if (isInterruptionRequested()) {
            *error = QStringLiteral("interrupted");
            return false;
        }
        if (index >= entries.size()) {
            *error = QStringLiteral("archive changed while unpacking");
            return false;
        }
        const Entry entry = entries.at(index++);
        if (entry.skip)
            continue;
        const QString &name = entry.name;
        const QString target = root + QLatin1Char('/') + entry.relativePath;
        const QString parent = entry.isDir ? target : QFileInfo(target).path();
        if (!QDir().mkpath(parent)) {
            *error = QStringLiteral("cannot create [%1]").arg(parent);
            return false;
        }
        // A link already in the folder must not carry the entry out of it.
        if (!isInside(QFileInfo(parent).canonicalFilePath(), root)) {
            *error = QStringLiteral("entry [%1] leads out of the folder").arg(name);
            return false;
        }
        if (entry.isDir)
            continue;
        const QFileInfo targetInfo(target);
        if (targetInfo.isSymLink() || targetInfo.isDir()) {
            if (targetInfo.isDir() && !targetInfo.isSymLink()) {
                *error = QStringLiteral("entry [%1] names a folder").arg(name);
                return false;
            }
            QFile::remove(target);
        }

        QuaZipFile in(&zip);
        if (!in.open(QIODevice::ReadOnly)) {
            *error = QStringLiteral("cannot read entry [%1] (code %2)")
                         .arg(name)
                         .arg(in.getZipError());
            return false;
        }
        QFile out(target);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            *error = QStringLiteral("cannot write [%1]: %2").arg(target, out.errorString());
            return false;
        }
        QByteArray buffer(64 * 1024, Qt::Uninitialized);
        while (true) {
            const qint64 n = in.read(buffer.data(), buffer.size());
            if (n < 0) {
                *error = QStringLiteral("cannot read entry [%1]").arg(name);
                return false;
            }
            if (n == 0)
                break;
            if (out.write(buffer.constData(), n) != n) {
                *error = QStringLiteral("cannot write [%1]: %2").arg(target, out.errorString());
                return false;
            }
            if (isInterruptionRequested()) {
                *error = QStringLiteral("interrupted");
                return false;
            }
        }
        in.close();
        if (in.getZipError() != UNZ_OK) { // the CRC is checked at close
            *error
                = QStringLiteral("entry [%1] is damaged (code %2)").arg(name).arg(in.getZipError());
            return false;
        }
        if (!out.flush()) {
            *error = QStringLiteral("cannot write [%1]: %2").arg(target, out.errorString());
            return false;
        }
        QuaZipFileInfo64 info;
        if (zip.getCurrentFileInfo(&info) && (info.externalAttr >> 16) != 0)
            out.setPermissions(info.getPermissions() | QFile::ReadOwner | QFile::WriteOwner);
        out.close();
    }
    return true;
}
