#pragma once

#include "corekit_global.h"

#include <QByteArray>

// Big-endian (most significant byte first) packers and readers used for every multi-byte
// integer in parameter blocks and payloads.
//
// The readers look at the first `size` bytes of `bytes` (at most 4, or 2 for the 16-bit
// reader); a byte beyond the end of `bytes` counts as 0 in its position, so a short array
// never makes them read out of bounds.

COREKIT_EXPORT QByteArray intToByteArray(quint32 value);
COREKIT_EXPORT QByteArray shortToByteArray(qint16 value);
COREKIT_EXPORT QByteArray ushortToByteArray(quint16 value);

COREKIT_EXPORT qint32 byteArrayToInt(const QByteArray& bytes, int size = 4);
COREKIT_EXPORT quint32 byteArrayToUInt(const QByteArray& bytes, int size = 4);
COREKIT_EXPORT quint16 byteArrayToUShort(const QByteArray& bytes, int size = 2);
