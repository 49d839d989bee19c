#pragma once

#include <QtGlobal>

#if defined(SYMBOLKIT_LIBRARY)
#define SYMBOLKIT_EXPORT Q_DECL_EXPORT
#else
#define SYMBOLKIT_EXPORT Q_DECL_IMPORT
#endif
