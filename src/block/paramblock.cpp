#include "paramblock.h"

#include "bytereader.h"
#include "bytewriter.h"
#include "headersection.h"
#include "sectiontable.h"

#include "plugin/cpuobjectfactory.h"

namespace {

constexpr int kHeadSize = 8;

} // namespace

std::optional<QByteArray> ParamBlock::build(CpuObject& object, WriteMode mode,
                                            QList<int>& errors)
{
    QByteArray body = HeaderSection::write(object, mode == WriteMode::Save
                                                       ? HeaderSection::Layout::SaveData
                                                       : HeaderSection::Layout::Download);
    int count = 1;
    for (const SectionSpec& spec : SectionTable::sections()) {
        if (!spec.present(object))
            continue;
        const QByteArray section = spec.write(object, mode, errors);
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

std::unique_ptr<CpuObject> ParamBlock::restore(const QByteArray& data, const QString& projectPath,
                                               bool clone)
{
    if (data.isEmpty())
        return nullptr;
    auto object = std::make_unique<CpuObject>();
    object->projectPath = projectPath;
    object->descriptor.projectPath = projectPath;
    object->opcUaSupported = CpuObjectFactory::projectSupportsOpcUa(projectPath);

    ByteReader in(data);
    quint8 count = 0;
    in.u8(count);
    quint32 headerLength = 0;
    if (!in.sub(4).u32(headerLength) || headerLength < kHeadSize ||
        headerLength > quint32(in.remaining()))
        return nullptr;
    ByteReader payload(data, in.pos() + kHeadSize, qint64(in.pos()) + headerLength);
    HeaderSection::read(*object, payload, HeaderSection::Layout::SaveData);
    in.skip(int(headerLength));

    const ReadContext context{WriteMode::Save, clone};
    for (int i = 1; i < count; ++i) {
        quint32 length = 0;
        if (!in.sub(4).u32(length) || length < kHeadSize)
            break; // too short to be a section: nothing after it can be trusted
        ByteReader section = in.sub(int(qMin<quint32>(length, quint32(in.remaining()))));
        in.skip(section.remaining());
        quint8 id = 0;
        ByteReader(data, section.begin() + 5, section.end()).u8(id);
        const SectionSpec* spec = SectionTable::find(id);
        if (spec && spec->read)
            spec->read(*object, section, context);
    }
    return object;
}
