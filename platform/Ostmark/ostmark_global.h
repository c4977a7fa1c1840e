#pragma once

#include <QtCore/qglobal.h>

#if defined(OSTMARK_LIBRARY)
#define OSTMARK_EXPORT Q_DECL_EXPORT
#else
#define OSTMARK_EXPORT Q_DECL_IMPORT
#endif
