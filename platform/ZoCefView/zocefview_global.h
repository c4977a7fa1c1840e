#pragma once

#include <QtCore/qglobal.h>

#if defined(ZOCEFVIEW_LIBRARY)
#  define ZOCEFVIEW_EXPORT Q_DECL_EXPORT
#else
#  define ZOCEFVIEW_EXPORT Q_DECL_IMPORT
#endif
