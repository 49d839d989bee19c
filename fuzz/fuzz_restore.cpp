// Save data from anywhere: restore it (both modes), save the result and check that what we
// wrote reads back to the same bytes. The block inspector has a target of its own
// (fuzz_decode).

#include "fuzzsupport.h"

#include <block/paramblock.h>

#include <QByteArray>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    prepareFuzzing();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray block =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(size));
    for (bool clone : {false, true}) {
        if (auto object = ParamBlock::restore(block, QString(), clone)) {
            const QByteArray saved = ParamBlock::save(*object);
            // What we wrote, we must read back to the same bytes (clones are renamed as
            // copies, so only restores repeat exactly).
            auto again = ParamBlock::restore(saved, QString(), clone);
            if (!again || (!clone && ParamBlock::save(*again) != saved))
                __builtin_trap();
        }
    }
    resetSlavePlugins();
    return 0;
}
