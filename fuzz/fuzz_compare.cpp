// Two blocks of any shape for compare: the first input byte splits the rest.

#include "fuzzsupport.h"

#include <block/blockcompare.h>
#include <block/blockdecoder.h>

#include <QByteArray>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    prepareFuzzing();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const QByteArray rest =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data) + 1, int(size - 1));
    const int split = int(size - 1) * data[0] / 255;
    const QByteArray first = rest.left(split);
    const QByteArray second = rest.mid(split);
    (void)BlockCompare::compare(first, second);
    if (!BlockCompare::compare(first, first).isEmpty())
        __builtin_trap(); // a block never differs from itself
    (void)BlockDecoder::differences(BlockDecoder::decode(first, 4),
                                    BlockDecoder::decode(second, 4));
    return 0;
}
