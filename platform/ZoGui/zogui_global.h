#pragma once

#include <QtCore/qglobal.h>

#if defined(ZOGUI_LIBRARY)
#  define ZOGUI_EXPORT Q_DECL_EXPORT
#else
#  define ZOGUI_EXPORT Q_DECL_IMPORT
#endif
