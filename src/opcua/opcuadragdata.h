#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

class QMimeData;

// One dragged item of the editor's source tree: a PLC variable, or a data block with the
// elements it publishes. Elements are plain items (no elements of their own).
struct OpcUaDragItem
{
    bool isObject = false;
    QString address; // a variable's address; for a data block its name (DB1)
    QString browseName;
    QString displayName;
    QString description;
    qint32 tag = 0;
    qint8 flag = 0; // carried into the record's reserved byte
    std::vector<OpcUaDragItem> elements;

    bool operator==(const OpcUaDragItem& o) const
    {
        return isObject == o.isObject && address == o.address && browseName == o.browseName &&
               displayName == o.displayName && description == o.description && tag == o.tag &&
               flag == o.flag && elements == o.elements;
    }
};

using OpcUaDragItems = std::vector<OpcUaDragItem>;

// The drag data of the interface editor: the mark "drag" and the items as "varInfo", a data
// stream of the item count and, per item, its object flag, four strings, tag and flag, and
// for a data block its elements (count, then the same fields without the object flag).
class OpcUaDragData
{
public:
    static QString markType();  // "drag"
    static QString itemsType(); // "varInfo"

    static QByteArray encode(const OpcUaDragItems& items);
    // The items, all or nothing: nothing when the bytes end early, a count cannot be backed
    // by the bytes that remain, or bytes are left over.
    static std::optional<OpcUaDragItems> decode(const QByteArray& bytes);

    // New mime data carrying both entries; the caller owns it.
    static QMimeData* mimeData(const OpcUaDragItems& items);
    // Whether the data carries the mark; the items themselves only from `items`.
    static bool isDragData(const QMimeData* data);
    static std::optional<OpcUaDragItems> items(const QMimeData* data);
};
