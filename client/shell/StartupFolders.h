#pragma once

#include <QString>

class QTime;

// Folder chores of the start-up. Failures are ignored: none of them may stop the client.
class StartupFolders
{
public:
    // stored when it is set, else programDir + defaultSuffix ("/Record", ...); the folder is
    // created when missing (one level).
    static QString resolveResourceFolder(const QString &stored, const QString &programDir,
                                         const QString &defaultSuffix);
    // Deletes the folder's files and sub-folders; the folder itself stays.
    static void emptyFolder(const QString &path);
    // "log/HH-MM-SS" of the start time, relative to the program folder.
    static QString logFileName(const QTime &startTime);
    // Removes the recorded web-cache folder, but only when it lies strictly below
    // userDataRoot: the value comes from a user-writable store, and a "/" or the home folder
    // there must never be wiped. Returns whether the folder was removed.
    static bool clearWebCache(const QString &cachePath, const QString &userDataRoot);
};
