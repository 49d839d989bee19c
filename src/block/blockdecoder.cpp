#include "blockdecoder.h"

#include "bytes/bytereader.h"
#include "headersection.h"
#include "sectiontable.h"

#include <QJsonArray>
#include <QMap>

namespace {

constexpr int kHeadSize = ByteReader::SectionHeadSize;

QString hex(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

DecodedSection headOf(const QByteArray& block, int offset, int end)
{
    DecodedSection s;
    s.offset = offset;
    ByteReader r(block, offset, end);
    r.u32(s.declaredLength);
    r.u8(s.mark);
    r.u8(s.id);
    s.length = end - offset;
    s.bytes = block.mid(offset, s.length);
    s.title = SectionTable::title(s.id);
    return s;
}

} // namespace

DecodedBlock BlockDecoder::decode(const QByteArray& block, int prefix)
{
    DecodedBlock result;
    result.size = block.size();
    ByteReader in(block, prefix, block.size());
    quint8 count = 0;
    if (!in.u8(count)) {
        result.error = QStringLiteral("the block is empty");
        return result;
    }
    result.count = count;

    const int headerAt = in.pos();
    quint32 declared = 0;
    if (!in.sub(4).u32(declared)) {
        result.error = QStringLiteral("the block ends before its header section");
        return result;
    }
    ByteReader framed;
    quint8 id = 0;
    ByteReader::Section opened;
    if (!in.takeSection(framed, id) || !framed.openSection(opened) || !opened.complete) {
        result.error =
            QStringLiteral("the header section at offset %1 declares %2 bytes; %3 are present")
                .arg(headerAt)
                .arg(declared)
                .arg(block.size() - headerAt);
        return result;
    }
    DecodedSection header = headOf(block, headerAt, in.pos());
    const auto layout =
        HeaderSection::guessLayout(block, header.offset + kHeadSize, header.offset + header.length);
    result.layout = layout == HeaderSection::Layout::Download ? QStringLiteral("download block")
                                                              : QStringLiteral("save data");
    HeaderSection::dump(opened.payload, layout, header.fields);
    header.decoded = true;
    if (header.id != 2)
        header.note = QStringLiteral("the first section should have identifier 2");
    result.sections.append(header);

    for (int i = 1; i < count; ++i) {
        const int at = in.pos();
        if (!in.sub(4).u32(declared)) {
            result.notes.append(QStringLiteral("the count byte announces %1 sections; the block "
                                               "ends after %2")
                                    .arg(count)
                                    .arg(i));
            break;
        }
        if (!in.takeSection(framed, id)) {
            result.error = QStringLiteral("section %1 at offset %2 declares %3 bytes, less than "
                                          "its own %4-byte head")
                               .arg(i)
                               .arg(at)
                               .arg(declared)
                               .arg(kHeadSize);
            return result;
        }
        DecodedSection section = headOf(block, at, in.pos());
        if (quint32(section.length) < declared)
            section.note = QStringLiteral("declares %1 bytes; only %2 are present")
                               .arg(declared)
                               .arg(section.length);
        const SectionEntry* entry = SectionTable::find(section.id);
        if (entry && entry->dump) {
            entry->dump(framed,
                        layout == HeaderSection::Layout::Download ? WriteMode::Download
                                                                  : WriteMode::Save,
                        section.fields);
            section.decoded = true;
        }
        result.sections.append(section);
    }
    if (in.remaining() > 0)
        result.notes.append(
            QStringLiteral("%1 bytes after the last counted section").arg(in.remaining()));
    result.ok = true;
    return result;
}

QJsonObject DecodedBlock::toJson() const
{
    QJsonArray sectionArray;
    for (const DecodedSection& s : sections) {
        QJsonArray fieldArray;
        for (const DumpField& f : s.fields)
            fieldArray.append(QJsonObject{
                {"name", f.name}, {"offset", f.offset}, {"size", f.size}, {"value", f.value}});
        QJsonObject section{{"offset", s.offset},   {"declaredLength", qint64(s.declaredLength)},
                            {"length", s.length},   {"mark", s.mark},
                            {"id", s.id},           {"title", s.title},
                            {"decoded", s.decoded}, {"fields", fieldArray}};
        if (!s.decoded)
            section.insert("bytes", QString::fromLatin1(s.bytes.toHex()));
        if (!s.note.isEmpty())
            section.insert("note", s.note);
        sectionArray.append(section);
    }
    QJsonObject json{{"ok", ok},
                     {"size", size},
                     {"count", count},
                     {"layout", layout},
                     {"sections", sectionArray},
                     {"notes", QJsonArray::fromStringList(notes)}};
    if (!ok)
        json.insert("error", error);
    return json;
}

QString DecodedBlock::toText() const
{
    QString text = QStringLiteral("%1 bytes, count byte %2%3\n")
                       .arg(size)
                       .arg(count)
                       .arg(layout.isEmpty() ? QString() : QStringLiteral(", ") + layout);
    for (int i = 0; i < sections.size(); ++i) {
        const DecodedSection& s = sections.at(i);
        text += QStringLiteral("\n[%1] section %2, %3 (mark %4), offset %5, %6 bytes\n")
                    .arg(i)
                    .arg(s.id)
                    .arg(s.title)
                    .arg(s.mark)
                    .arg(s.offset)
                    .arg(s.length);
        if (!s.note.isEmpty())
            text += QStringLiteral("    note: %1\n").arg(BlockDecoder::printable(s.note));
        for (const DumpField& f : s.fields)
            text += QStringLiteral("    %1 %2\n")
                        .arg(BlockDecoder::printable(f.name) + QLatin1Char(':'), -44)
                        .arg(BlockDecoder::printable(f.value));
        if (!s.decoded)
            text += QStringLiteral("    bytes: %1\n").arg(hex(s.bytes));
    }
    for (const QString& note : notes)
        text += QStringLiteral("\nnote: %1\n").arg(BlockDecoder::printable(note));
    if (!ok)
        text += QStringLiteral("\nmalformed: %1\n").arg(error);
    return text;
}

QStringList BlockDecoder::differences(const DecodedBlock& first, const DecodedBlock& second)
{
    QStringList lines;
    if (first.count != second.count)
        lines.append(QStringLiteral("section count: %1 / %2").arg(first.count).arg(second.count));
    // Sections are matched by identifier and occurrence, so an extra section in one block
    // does not misalign the rest.
    QMap<QPair<int, int>, const DecodedSection*> byKey;
    QMap<int, int> seen;
    for (const DecodedSection& s : second.sections)
        byKey.insert({s.id, seen[s.id]++}, &s);
    seen.clear();
    QSet<QPair<int, int>> matched;
    for (const DecodedSection& a : first.sections) {
        const QPair<int, int> key{a.id, seen[a.id]++};
        const DecodedSection* b = byKey.value(key);
        if (!b) {
            lines.append(
                QStringLiteral("section %1 (%2): only in the first block").arg(a.id).arg(a.title));
            continue;
        }
        matched.insert(key);
        if (a.bytes == b->bytes)
            continue;
        if (!a.decoded || !b->decoded) {
            lines.append(QStringLiteral("section %1 (%2): bytes differ").arg(a.id).arg(a.title));
            continue;
        }
        const int before = lines.size();
        QMap<QString, QString> valuesB;
        for (const DumpField& f : b->fields)
            valuesB.insert(f.name, f.value);
        QSet<QString> namesA;
        for (const DumpField& f : a.fields) {
            namesA.insert(f.name);
            if (!valuesB.contains(f.name))
                lines.append(
                    QStringLiteral("%1 / %2: %3 / (absent)").arg(a.title, f.name, f.value));
            else if (valuesB.value(f.name) != f.value)
                lines.append(QStringLiteral("%1 / %2: %3 / %4")
                                 .arg(a.title, f.name, f.value, valuesB.value(f.name)));
        }
        for (const DumpField& f : b->fields) {
            if (!namesA.contains(f.name))
                lines.append(
                    QStringLiteral("%1 / %2: (absent) / %3").arg(a.title, f.name, f.value));
        }
        if (lines.size() == before)
            lines.append(QStringLiteral("section %1 (%2): bytes differ outside the decoded fields")
                             .arg(a.id)
                             .arg(a.title));
    }
    for (auto it = byKey.cbegin(); it != byKey.cend(); ++it) {
        if (!matched.contains(it.key()))
            lines.append(QStringLiteral("section %1 (%2): only in the second block")
                             .arg(it.value()->id)
                             .arg(it.value()->title));
    }
    for (QString& line : lines)
        line = printable(line);
    return lines;
}

QString BlockDecoder::printable(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const QChar::Category category = c.category();
        if (category == QChar::Other_Control || category == QChar::Other_Format)
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}
