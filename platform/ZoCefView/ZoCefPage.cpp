#include "ZoCefPage.h"

namespace ZoCef {

void ZoCefPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level,
                                         const QString &message, int lineNumber,
                                         const QString &sourceID)
{
    emit consoleMessage(int(level), message, lineNumber, sourceID);
}

} // namespace ZoCef
