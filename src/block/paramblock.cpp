#include "paramblock.h"

#include "bytes/bytereader.h"
#include "bytes/bytewriter.h"
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

// A block framed for reading: its count byte, its header's payload and the rest.
struct OpenedBlock
{
    quint8 count = 0;
    ByteReader header;
    ByteReader rest;
};

// Nothing when the count byte or the header is missing, or the header is cut short.
std::optional<OpenedBlock> openBlock(const QByteArray& data)
{
    OpenedBlock block;
    block.rest = ByteReader(data);
    ByteReader framed;
    quint8 id = 0;
    ByteReader::Section header;
    if (!block.rest.u8(block.count) || !block.rest.takeSection(framed, id) ||
        !framed.openSection(header) || !header.complete)
        return std::nullopt;
    block.header = header.payload;
    return block;
}

// What the walk's hook did with a section.
enum class Hook {
    ToTable, // hand it to the section table's reader
    Taken,   // done with it
    Refused, // the block is refused
};

// Walks the counted sections after the header, as far as they can be framed (nothing after
// a length below a section head can be trusted): each goes, head included, to `hook` first,
// then (unless the hook took it) to its reader in the section table; unknown identifiers are
// skipped. False when the hook refused a section.
template <typename HookFn>
bool readSections(OpenedBlock& block, CpuObject& object, const ReadContext& context, HookFn hook)
{
    ByteReader section;
    quint8 id = 0;
    for (int i = 1; i < block.count && block.rest.takeSection(section, id); ++i) {
        switch (hook(id, section)) {
        case Hook::Refused:
            return false;
        case Hook::Taken:
            continue;
        case Hook::ToTable:
            break;
        }
        const SectionEntry* entry = SectionTable::find(id);
        if (entry && entry->read)
            entry->read(object, section, context);
    }
    return true;
}

} // namespace

std::unique_ptr<CpuObject> ParamBlock::restore(const QByteArray& data, const QString& projectPath,
                                               bool clone)
{
    if (data.isEmpty())
        return nullptr;
    auto object = freshObject(projectPath);
    auto block = openBlock(data);
    if (!block)
        return nullptr;
    HeaderSection::read(*object, block->header, HeaderSection::Layout::SaveData);
    readSections(*block, *object, ReadContext{WriteMode::Save, clone},
                 [](quint8, const ByteReader&) { return Hook::ToTable; });
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

std::unique_ptr<CpuObject> ParamBlock::recompile(const QByteArray& data, const QString& projectPath,
                                                 int& error)
{
    if (data.isEmpty())
        return nullptr;
    auto object = freshObject(projectPath);
    auto block = openBlock(data);
    if (!block)
        return nullptr;
    error = code(HeaderSection::read(*object, block->header, HeaderSection::Layout::Download));
    if (error != code(RecompileError::None))
        return nullptr;
    if (!QFileInfo(recompileServerFilePath(object->descriptor.ServerFile)).isFile()) {
        error = code(RecompileError::ServerFileMissing);
        return nullptr;
    }

    // recompile checks the CPU sections and hands the PLC's own sections to the project;
    // everything else is read as restore reads it.
    auto hook = [&](quint8 id, const ByteReader& section) {
        ByteReader in = section;
        switch (SectionId(id)) {
        case SectionId::CpuParam:
        case SectionId::CpuExpansion: {
            const bool whole = id == quint8(SectionId::CpuParam)
                                   ? CpuParamSection::read(*object, in)
                                   : CpuExpansionSection::read(*object, in);
            error = code(whole ? RecompileError::None : RecompileError::SectionShort);
            return whole ? Hook::Taken : Hook::Refused;
        }
        case SectionId::PlcData23:
        case SectionId::PlcData24:
        case SectionId::PlcData26:
        case SectionId::PlcData27:
        case SectionId::PlcData36: {
            static const QHash<int, int> kinds{
                {23, 184}, {24, 185}, {26, 186}, {27, 187}, {36, 192}};
            savePrjObjectChildContent(projectPath, kinds.value(id), QString(),
                                      data.mid(section.begin(), section.remaining()));
            return Hook::Taken;
        }
        default:
            return Hook::ToTable;
        }
    };
    if (!readSections(*block, *object, ReadContext{WriteMode::Download, false}, hook))
        return nullptr;
    return object;
}
