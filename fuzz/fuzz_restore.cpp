// Save data and download blocks from anywhere: restore (both modes), save the result
// again, and decode the bytes as the block inspector does.

#include "fuzzsupport.h"

#include <block/blockdecoder.h>
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
    const DecodedBlock inspected = BlockDecoder::decode(block);
    (void)inspected.toText();
    resetSlavePlugins();
    return 0;
}
