#pragma once

#include "ostmark_global.h"

#include <QString>

namespace ConfigInfo {

// Where the configuration files live. Any thread.
//
// - Program folder ("Localcfg.ini", "ClientInfo.ini"): the executable's folder. Redirected by
//   setProgramFolder, or else by the environment variable KORVEL_PROGRAM_DIR.
// - User store folder (one INI per program type): QStandardPaths::AppConfigLocation.
//   Redirected by setUserStoreFolder, or else by KORVEL_USER_CONFIG_DIR.
//
// The stores look the folders up at every access, so a redirection holds from the next call
// on. It is meant for tests and tools; the client itself never redirects.
class OSTMARK_EXPORT CStorePaths
{
public:
    static QString programFolder();
    static void setProgramFolder(const QString &folder); // empty: back to the default

    static QString userStoreFolder();
    static void setUserStoreFolder(const QString &folder); // empty: back to the default

    // A relative path taken from the program folder; an absolute one unchanged.
    static QString resolveInProgramFolder(const QString &path);
};

} // namespace ConfigInfo
