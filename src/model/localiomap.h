#pragma once

#include <QtGlobal>

// The module's own local input or output image, returned by value across the plug-in
// boundary, so its 8-byte layout is part of the ABI.
struct LocalIoMap
{
    quint8 area = 0; // 129 inputs, 130 outputs
    quint8 pad0 = 0;
    quint16 startByte = 0;
    quint8 points = 0; // one bit each
    quint8 flag1 = 1;
    quint8 flag2 = 1;
    quint8 pad1 = 0;

    int byteCount() const { return (points + 7) / 8; }
};
static_assert(sizeof(LocalIoMap) == 8, "LocalIoMap crosses the plug-in boundary by value");

// Host-assigned placement of the module; the plug-in gives it no meaning.
struct Position
{
    qint32 x = 0;
    qint32 y = 0;
};
