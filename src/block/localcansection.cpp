#include "localcansection.h"

#include "bytes/bytewriter.h"
#include "resultcodes.h"

#include "block/canmasterbridge.h"
#include "model/debuglog.h"

QByteArray LocalCanSection::write(CpuObject& object, WriteMode mode, QList<int>& errors)
{
    ByteWriter out;
    const int head = out.beginSection(0, quint8(SectionId::LocalCan));
    if (mode == WriteMode::Save) {
        out.bytes(CanMasterBridge::savePayload(object.canMaster, object.projectPath));
    } else {
        QByteArray payload;
        CanMasterBridge::compile(object.canMaster, payload, errors);
        out.bytes(payload);
    }
    out.endSection(head);
    return out.take();
}

bool LocalCanSection::read(CpuObject& object, ByteReader& section, const ReadContext& context)
{
    object.canMasterEnabled = true;
    ByteReader::Section s;
    if (!section.openSection(s))
        return false;
    if (context.source == WriteMode::Save) {
        CanMasterBridge::rebuildFromSave(s.payload, object.canMaster, object.projectPath);
        return true;
    }
    const int error =
        CanMasterBridge::rebuildFromDownload(s.payload, object.canMaster, object.projectPath);
    if (error != code(CanRebuildError::None))
        debugLine("CorvoCodeBlock", __LINE__,
                  QStringLiteral("CAN slave rebuild error %1").arg(error));
    return true;
}

void LocalCanSection::dump(ByteReader& section, WriteMode source, QList<DumpField>& fields)
{
    ByteReader::Section s;
    if (!section.openSection(s))
        return;
    if (source == WriteMode::Save)
        CanMasterBridge::dumpSave(s.payload, fields);
    else
        CanMasterBridge::dumpDownload(s.payload, fields);
}
