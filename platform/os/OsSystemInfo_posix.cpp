#include "OsSystemInfo.h"

#include <QSysInfo>

namespace os {

int OsSystemInfo::nativeArchitecture()
{
    const QString cpu = QSysInfo::currentCpuArchitecture();
    if (cpu == QLatin1String("x86_64"))
        return ArchAmd64;
    if (cpu == QLatin1String("i386"))
        return ArchIntel;
    if (cpu == QLatin1String("ia64"))
        return ArchIa64;
    if (cpu == QLatin1String("arm64"))
        return ArchArm64;
    if (cpu.startsWith(QLatin1String("arm")))
        return ArchArm;
    return ArchUnknown;
}

bool OsSystemInfo::isWindows7Workstation()
{
    return false;
}

} // namespace os
