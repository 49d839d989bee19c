#pragma once

#include <QtGlobal>

#if defined(HELPKIT_LIBRARY)
#define HELPKIT_EXPORT Q_DECL_EXPORT
#else
#define HELPKIT_EXPORT Q_DECL_IMPORT
#endif
