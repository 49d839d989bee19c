// Interface payloads from anywhere: decode (and dump) them; the records that found a place
// must write a payload that reads back complete and writes the same bytes again.

#include <opcua/opcuadump.h>
#include <opcua/opcuainterfacecodec.h>

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray payload =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(size));
    const OpcUaInterfaceDecode read = OpcUaInterfaceCodec::decode(payload);
    if (OpcUaInterfaceCodec::recordCount(read.interfaces) != read.readVariables - read.dropped())
        __builtin_trap();
    const QByteArray written = OpcUaInterfaceCodec::encode(read.interfaces);
    const OpcUaInterfaceDecode again = OpcUaInterfaceCodec::decode(written);
    if (!again.complete() || OpcUaInterfaceCodec::encode(again.interfaces) != written)
        __builtin_trap();
    (void)OpcUaInterfaceCodec::decode(payload, 3); // the limit stops before any record
    (void)OpcUaDump::interfaces(payload);
    return 0;
}
