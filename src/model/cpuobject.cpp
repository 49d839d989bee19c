#include "cpuobject.h"

CpuObject::CpuObject()
{
    // The member initialisers hold the construction defaults; only the card slots need
    // their own numbers.
    for (int i = 0; i < CardCount; ++i)
        cards[size_t(i)].slot = quint8(i);
}
