#pragma once

#include "os_global.h"

#include <QString>

namespace os {

// What the system says about itself. Any thread.
class KORVELOS_EXPORT OsSystemInfo
{
public:
    // Processor architecture codes as Windows numbers them (PROCESSOR_ARCHITECTURE_*).
    enum Architecture {
        ArchIntel = 0,
        ArchArm = 5,
        ArchIa64 = 6,
        ArchAlpha64 = 7,
        ArchAmd64 = 9,
        ArchArm64 = 12,
        ArchUnknown = 0xffff
    };

    // The machine's native architecture, whatever this process was built for.
    static int nativeArchitecture();
    // The rule of the "bIs32Bit" property: only IA64, ALPHA64 and AMD64 count as 64-bit.
    static bool is32BitArchitecture(int architecture);
    // Windows 6.1 with product type workstation; false on every other system.
    static bool isWindows7Workstation();
    static QString versionText();
};

} // namespace os
