#pragma once

#include "korvelweb_global.h"

#include <QString>

namespace Web {

// Page calls carry passwords and tokens. Log lines (which may go to a file and to syslog)
// show them masked: every string value of the keys "password", "token", "qrToken" and "salt"
// in a JSON text becomes "***". Any thread.
class KORVELWEB_EXPORT SecretMask
{
public:
    static QString maskJson(const QString &jsonText);
    // Enough of a token to tell two apart in a log, never enough to use it.
    static QString maskToken(const QString &token);
};

} // namespace Web
