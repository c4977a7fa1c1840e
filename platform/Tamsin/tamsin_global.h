#pragma once

#include <QtCore/qglobal.h>

#if defined(TAMSIN_LIBRARY)
#  define TAMSIN_EXPORT Q_DECL_EXPORT
#else
#  define TAMSIN_EXPORT Q_DECL_IMPORT
#endif
