#include "paramblock.h"

#include "bytereader.h"
#include "bytewriter.h"
#include "cpuexpansionsection.h"
#include "cpuparamsection.h"
#include "ethercatsection.h"
#include "headersection.h"
#include "resultcodes.h"
#include "sectiontable.h"

#include "model/cpuobjectfactory.h"

#include <corekit/projectqueries.h>

#include <QDir>
#include <QFileInfo>
#include <QHash>

std::optional<QByteArray> ParamBlock::build(CpuObject& object, WriteMode mode, QList<int>& errors)
{
    QByteArray body =
        HeaderSection::write(object, mode == WriteMode::Save ? HeaderSection::Layout::SaveData
                                                             : HeaderSection::Layout::Download);
    int count = 1;
    for (const SectionEntry& entry : SectionTable::sections()) {
        if (!entry.present(object))
            continue;
        const QByteArray section = entry.write(object, mode, errors);
        if (section.isEmpty())
            return std::nullopt;
        body.append(section);
        ++count;
    }
    return QByteArray(1, char(quint8(count))) + body; // no configuration reaches 256 sections
}

QByteArray ParamBlock::save(CpuObject& object)
{
    QList<int> scratch; // save mode runs no checks
    return build(object, WriteMode::Save, scratch).value_or(QByteArray());
}

namespace {

// A fresh object for a block of `projectPath`, as restore and recompile start.
std::unique_ptr<CpuObject> freshObject(const QString& projectPath)
{
    auto object = std::make_unique<CpuObject>();
    object->projectPath = projectPath;
    object->descriptor.projectPath = projectPath;
    object->opcUaSupported = CpuObjectFactory::projectSupportsOpcUa(projectPath);
    return object;
}

// Reads the count byte and frames the header; false when the header is short or its
// length cannot be a section's.
bool frameHeader(ByteReader& in, quint8& count, ByteReader& header)
{
    ByteReader framed;
    quint8 id = 0;
    ByteReader::Section opened;
    if (!in.u8(count) || !in.takeSection(framed, id) || !framed.openSection(opened) ||
        !opened.complete)
        return false;
    header = opened.payload;
    return true;
}

// The next section of the walk; false when the block ends or the next length is below a
// section head (nothing after it can be trusted).
bool nextSection(ByteReader& in, ByteReader& section, quint8& id)
{
    return in.takeSection(section, id);
}

} // namespace

std::unique_ptr<CpuObject> ParamBlock::restore(const QByteArray& data, const QString& projectPath,
                                               bool clone)
{
    if (data.isEmpty())
        return nullptr;
    auto object = freshObject(projectPath);
    ByteReader in(data);
    ByteReader header;
    quint8 count = 0;
    if (!frameHeader(in, count, header))
        return nullptr;
    HeaderSection::read(*object, header, HeaderSection::Layout::SaveData);

    const ReadContext context{WriteMode::Save, clone};
    ByteReader section;
    quint8 id = 0;
    for (int i = 1; i < count && nextSection(in, section, id); ++i) {
        const SectionEntry* entry = SectionTable::find(id);
        if (entry && entry->read)
            entry->read(*object, section, context);
    }
    return object;
}

int ParamBlock::compile(CpuObject& object, QByteArray& block, QList<int>& errors)
{
    errors.clear();
    // The host's array is replaced, not prepended to: old content would corrupt the block.
    const auto built = build(object, WriteMode::Download, errors);
    if (!built) {
        block = HeaderSection::write(object, HeaderSection::Layout::Download);
        return 1;
    }
    block = *built;
    return 0;
}

int ParamBlock::compileOld(CpuObject& object, QByteArray& block, QList<int>& errors)
{
    errors.clear();
    const QByteArray header = HeaderSection::write(object, HeaderSection::Layout::Download);
    const QByteArray cpu = CpuParamSection::write(object, WriteMode::Download, errors);
    if (cpu.isEmpty()) {
        block = header;
        return 1;
    }
    QByteArray body = header + cpu;
    int count = 3;
    if (object.etherCat.enabled) {
        body += EtherCatSection::writeOld(object, WriteMode::Download);
        count = 4;
    }
    body += CpuExpansionSection::write(object);
    block = QByteArray(1, char(count)) + body;
    return 0;
}

QString ParamBlock::recompileServerFilePath(const QString& serverFile)
{
    QDir up = QDir::current();
    up.cdUp();
    return up.absolutePath() + QStringLiteral("/bin/") + serverFile;
}

std::unique_ptr<CpuObject> ParamBlock::recompile(const QByteArray& block,
                                                 const QString& projectPath, int& error)
{
    if (block.isEmpty())
        return nullptr;
    auto object = freshObject(projectPath);
    ByteReader in(block);
    ByteReader header;
    quint8 count = 0;
    if (!frameHeader(in, count, header))
        return nullptr;
    error = code(HeaderSection::read(*object, header, HeaderSection::Layout::Download));
    if (error != code(RecompileError::None))
        return nullptr;
    if (!QFileInfo(recompileServerFilePath(object->descriptor.ServerFile)).isFile()) {
        error = code(RecompileError::ServerFileMissing);
        return nullptr;
    }

    const ReadContext context{WriteMode::Download, false};
    ByteReader section;
    quint8 id = 0;
    for (int i = 1; i < count && nextSection(in, section, id); ++i) {
        switch (SectionId(id)) {
        case SectionId::CpuParam:
            error = code(CpuParamSection::read(*object, section) ? RecompileError::None
                                                                 : RecompileError::SectionShort);
            if (error != code(RecompileError::None))
                return nullptr;
            continue;
        case SectionId::CpuExpansion:
            if (!CpuExpansionSection::read(*object, section)) {
                error = code(RecompileError::SectionShort);
                return nullptr;
            }
            error = code(RecompileError::None);
            continue;
        case SectionId::PlcData23:
        case SectionId::PlcData24:
        case SectionId::PlcData26:
        case SectionId::PlcData27:
        case SectionId::PlcData36: {
            static const QHash<int, int> kinds{
                {23, 184}, {24, 185}, {26, 186}, {27, 187}, {36, 192}};
            savePrjObjectChildContent(projectPath, kinds.value(id), QString(),
                                      block.mid(section.begin(), section.remaining()));
            continue;
        }
        default:
            break;
        }
        const SectionEntry* entry = SectionTable::find(id);
        if (entry && entry->read)
            entry->read(*object, section, context);
    }
    return object;
}
