#pragma once

#include <QtCore/qglobal.h>

#if defined(KORVELWEB_LIBRARY)
#define KORVELWEB_EXPORT Q_DECL_EXPORT
#else
#define KORVELWEB_EXPORT Q_DECL_IMPORT
#endif
