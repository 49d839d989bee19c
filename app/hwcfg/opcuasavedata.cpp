#include "opcuasavedata.h"

#include "pluginhost.h"

#include <block/blockdecoder.h>
#include <block/opcuasection.h>
#include <block/sectionid.h>

namespace {

const DecodedSection* opcUaSection(const DecodedBlock& block)
{
    for (const DecodedSection& s : block.sections) {
        if (s.id == quint8(SectionId::OpcUaServer) && s.declaredLength == quint32(s.length))
            return &s;
    }
    return nullptr;
}

} // namespace

std::optional<OpcUaFileContents> OpcUaSaveData::payloads(const QByteArray& saveData)
{
    const DecodedBlock block = BlockDecoder::decode(saveData);
    const DecodedSection* section = block.ok ? opcUaSection(block) : nullptr;
    if (!section)
        return std::nullopt;
    CpuObject object;
    ByteReader in(saveData, section->offset, section->offset + section->length);
    if (!OpcUaSection::read(object, in))
        return std::nullopt;
    return OpcUaFileContents{object.opcUaSettingsData, object.opcUaInterfaceData};
}

std::optional<QByteArray> OpcUaSaveData::replace(PluginHost& plugin, const QString& project,
                                                 const QByteArray& saveData,
                                                 const OpcUaFileContents& contents)
{
    const DecodedBlock block = BlockDecoder::decode(saveData);
    const DecodedSection* section = block.ok ? opcUaSection(block) : nullptr;
    const auto old = payloads(saveData);
    if (!section || !old)
        return std::nullopt;
    CpuObject object;
    object.opcUaSettingsData = contents.settings.isEmpty() ? old->settings : contents.settings;
    object.opcUaInterfaceData =
        contents.interfaces.isEmpty() ? old->interfaces : contents.interfaces;
    const QByteArray patched = saveData.left(section->offset) + OpcUaSection::write(object) +
                               saveData.mid(section->offset + section->length);

    void* handle = plugin.restore(patched, project);
    if (!handle)
        return std::nullopt;
    const QByteArray saved = plugin.save(handle);
    plugin.releaseObject(handle);
    const auto kept = payloads(saved);
    if (!kept || kept->settings != object.opcUaSettingsData ||
        kept->interfaces != object.opcUaInterfaceData)
        return std::nullopt;
    return saved;
}
