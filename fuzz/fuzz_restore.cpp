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
    if (auto object = ParamBlock::restore(block, QString(), false)) {
        // What we wrote, we must read back to the same bytes.
        const QByteArray saved = ParamBlock::save(*object);
        auto again = ParamBlock::restore(saved, QString(), false);
        if (!again || ParamBlock::save(*again) != saved)
            __builtin_trap();
    }
    // Clones are renamed as copies, so they do not repeat; their save must not fail.
    if (auto clone = ParamBlock::restore(block, QString(), true))
        (void)ParamBlock::save(*clone);
    resetSlavePlugins();
    return 0;
}
