#pragma once

#include <QtGlobal>

#if defined(IFACEKIT_LIBRARY)
#define IFACEKIT_EXPORT Q_DECL_EXPORT
#else
#define IFACEKIT_EXPORT Q_DECL_IMPORT
#endif
