#pragma once

#include "tamsin_global.h"

#include <QFile>
#include <QString>

#include <mutex>

// The operation log: one record per line (time, user, operation, detail, tab-separated)
// appended to "VideoOperation.log" and flushed at once, so a crash loses no record.
// Any thread may add records; GetInstance and ReleaseInstance are thread-safe, but the
// caller of ReleaseInstance must make sure no other thread still uses the old instance.
class TAMSIN_EXPORT VideoOperationLogManager
{
public:
    static VideoOperationLogManager *GetInstance();
    static void ReleaseInstance();

    // Folder of the log file; created when missing. Default: program folder + "/OperationLog".
    void SetLogFolder(const QString &folder);
    QString GetLogFilePath() const;
    // The user named in later records.
    void SetUserName(const QString &user);
    QString GetUserName() const;

    // Appends one record; returns false (and logs) when the file cannot be written.
    bool AddOperationRecord(const QString &operation, const QString &detail = QString());

    static QString defaultLogFolder();

private:
    VideoOperationLogManager();
    ~VideoOperationLogManager();
    VideoOperationLogManager(const VideoOperationLogManager &) = delete;
    VideoOperationLogManager &operator=(const VideoOperationLogManager &) = delete;

    bool openLocked();
    static QString field(const QString &text);

    mutable std::mutex m_mutex; // std::mutex: visible to the thread sanitizer
    QString m_folder;
    QString m_user;
    QFile m_file;
};
