#include "opcuadragdata.h"

#include "bytes/datastreamreader.h"

#include <QDataStream>
#include <QMimeData>

namespace {

// The fewest bytes an item and an element take: empty strings, no elements.
constexpr int kMinElementSize = 4 * 4 + 4 + 1;
constexpr int kMinItemSize = 1 + kMinElementSize;

void writeFields(QDataStream& out, const OpcUaDragItem& item)
{
    out << item.address << item.browseName << item.displayName << item.description << item.tag
        << item.flag;
}

bool readFields(DataStreamReader& in, OpcUaDragItem& item)
{
    return in.string(item.address) && in.string(item.browseName) && in.string(item.displayName) &&
           in.string(item.description) && in.i32(item.tag) && in.i8(item.flag);
}

} // namespace

QString OpcUaDragData::markType()
{
    return QStringLiteral("drag");
}

QString OpcUaDragData::itemsType()
{
    return QStringLiteral("varInfo");
}

QByteArray OpcUaDragData::encode(const OpcUaDragItems& items)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << qint32(items.size());
    for (const OpcUaDragItem& item : items) {
        out << item.isObject;
        writeFields(out, item);
        if (!item.isObject)
            continue;
        out << qint32(item.elements.size());
        for (const OpcUaDragItem& element : item.elements)
            writeFields(out, element);
    }
    return bytes;
}

std::optional<OpcUaDragItems> OpcUaDragData::decode(const QByteArray& bytes)
{
    DataStreamReader in(bytes);
    qint32 count = 0;
    if (!in.count(count, kMinItemSize))
        return std::nullopt;
    OpcUaDragItems items(static_cast<size_t>(count));
    for (OpcUaDragItem& item : items) {
        if (!in.boolean(item.isObject) || !readFields(in, item))
            return std::nullopt;
        if (!item.isObject)
            continue;
        qint32 elements = 0;
        if (!in.count(elements, kMinElementSize))
            return std::nullopt;
        item.elements.resize(size_t(elements));
        for (OpcUaDragItem& element : item.elements) {
            if (!readFields(in, element))
                return std::nullopt;
        }
    }
    if (!in.atEnd())
        return std::nullopt;
    return items;
}

QMimeData* OpcUaDragData::mimeData(const OpcUaDragItems& items)
{
    auto* data = new QMimeData;
    data->setData(markType(), QByteArrayLiteral("darg&drop"));
    data->setData(itemsType(), encode(items));
    return data;
}

bool OpcUaDragData::isDragData(const QMimeData* data)
{
    return data && data->hasFormat(markType());
}

std::optional<OpcUaDragItems> OpcUaDragData::items(const QMimeData* data)
{
    if (!isDragData(data) || !data->hasFormat(itemsType()))
        return std::nullopt;
    return decode(data->data(itemsType()));
}
