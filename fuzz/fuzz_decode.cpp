// Save data and download blocks from anywhere, decoded field by field as the block
// inspector (hwcfg dump, show) does, and rendered as text. (The JSON rendering only
// formats what the decoder found; building it took most of the time of a run.)

#include "fuzzsupport.h"

#include <block/blockdecoder.h>

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
    const DecodedBlock inspected = BlockDecoder::decode(block);
    (void)inspected.toText();
    return 0;
}
