#pragma once

#include "corekit_global.h"

#include <QByteArray>
#include <QString>

// The 8-byte password field of the PLC parameters. The clear text is never stored: each
// byte is mapped through a position-dependent permutation of 1..255, and 0 marks the end.
// The empty password encodes as eight zero bytes. Text beyond 8 Latin-1 bytes is cut;
// characters outside Latin-1 become '?'.

COREKIT_EXPORT QByteArray encodePwdLen8(const QString& password);

// Decodes the first 8 bytes of `field` (fewer if it is shorter) up to the first zero byte.
COREKIT_EXPORT QString decodePwdLen8(const QByteArray& field);
