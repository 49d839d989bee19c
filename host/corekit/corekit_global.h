#pragma once

#include <QtGlobal>

#if defined(COREKIT_LIBRARY)
#define COREKIT_EXPORT Q_DECL_EXPORT
#else
#define COREKIT_EXPORT Q_DECL_IMPORT
#endif
