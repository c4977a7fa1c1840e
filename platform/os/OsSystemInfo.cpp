#include "OsSystemInfo.h"

#include <QSysInfo>

namespace os {

bool OsSystemInfo::is32BitArchitecture(int architecture)
{
    return architecture != ArchIa64 && architecture != ArchAlpha64 && architecture != ArchAmd64;
}

QString OsSystemInfo::versionText()
{
    return QSysInfo::prettyProductName();
}

} // namespace os
