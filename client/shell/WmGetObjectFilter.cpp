#include "WmGetObjectFilter.h"

#ifdef Q_OS_WIN
#  include <windows.h>
#endif

bool WmGetObjectFilter::nativeEventFilter(const QByteArray &eventType, void *message, long *result)
{
    Q_UNUSED(result)
#ifdef Q_OS_WIN
    if (eventType == "windows_generic_MSG" || eventType == "windows_dispatcher_MSG")
        return static_cast<MSG *>(message)->message == kWmGetObject;
#else
    Q_UNUSED(eventType)
    Q_UNUSED(message)
#endif
    return false;
}
