#pragma once

#include "ostmark_global.h"

#include <QString>
#include <QThread>

#include <mutex>

// Unpacks one zip archive into a folder on a thread of its own.
//
// It never writes outside the folder: an archive with any entry whose name is absolute,
// holds a ".." component, a drive letter or any ":" or "\", or that would land on a path
// leading out of the folder through a link already there, is refused as a whole before
// anything is written. Existing files of the same names are replaced.
//
// Use: make it (no parent needed), setDecompressPath, connect, start(). Exactly one of the
// two signals is emitted from the unpacking thread, with the archive and the folder as given;
// receivers on other threads get them queued. Deleting the object waits for the thread, so
// deleteLater from a slot of its signals is safe.
class OSTMARK_EXPORT DecompressionZip : public QThread
{
    Q_OBJECT

public:
    explicit DecompressionZip(QObject *parent = nullptr);
    ~DecompressionZip() override;

    // Call before start().
    void setDecompressPath(const QString &zipFile, const QString &folder);
    QString zipFile() const;
    QString folder() const;

    // Why the last run failed; empty after a success.
    QString errorString() const;

    // The entry name as a clean path relative to the destination ("a/b.txt"), or an empty
    // text when the name is refused. Directory entries keep no trailing "/".
    static QString safeEntryPath(const QString &entryName);

signals:
    void sgnDecompressionSuccess(const QString &zipFile, const QString &folder);
    void sgnDecompressionFailed(const QString &zipFile, const QString &folder);

protected:
    void run() override;

private:
    bool unpack(const QString &zipFile, const QString &folder, QString *error);

    mutable std::mutex m_mutex;
    QString m_strZipFile;
    QString m_strFolder;
    QString m_strError;
};
