// Settings payloads from anywhere: decode (and dump) them; what the record writes must
// read back complete and write the same bytes again.

#include <opcua/opcuadump.h>
#include <opcua/opcuasettingscodec.h>

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray payload =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(size));
    const OpcUaSettingsDecode read = OpcUaSettingsCodec::decode(payload);
    const QByteArray written = OpcUaSettingsCodec::encode(read.settings);
    const OpcUaSettingsDecode again = OpcUaSettingsCodec::decode(written);
    if (!again.complete() || OpcUaSettingsCodec::encode(again.settings) != written)
        __builtin_trap();
    (void)OpcUaDump::settings(payload);
    return 0;
}
