#pragma once

#include <QtCore/qglobal.h>

#if defined(KORVELOS_LIBRARY)
#  define KORVELOS_EXPORT Q_DECL_EXPORT
#else
#  define KORVELOS_EXPORT Q_DECL_IMPORT
#endif
