#pragma once

#include "opcuadragdata.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// What a data block offers the interface editor: the elements of its content, each with
// the address, names and tag a drag carries.
struct OpcUaDataBlockElements
{
    OpcUaDragItems elements;
    // The whole byte offset of the last element (0 for an instance block): the source tree
    // adds it to the running base of the block's kind.
    quint32 lastOffset = 0;
    int skipped = 0; // rows of a type or offset that has no published address
};

// The content of a project data block as the program editor stores it: a data stream of
// two byte arrays, each a string list of rows of eight text cells; an instance block uses
// the first, the others the second.
class OpcUaDataBlock
{
public:
    static constexpr int CellsPerRow = 8;

    // The cells of the block's rows; nothing when the content is not two byte arrays with a
    // string list in the one the block uses (every count checked against the bytes left).
    static std::optional<QStringList> cells(const QByteArray& content, bool instance);

    // The elements of data block `name` (DB1, whose symbol is `symbol`): per row an address
    // from the block's name, a size suffix by PLC type and the offset; browse name = the
    // address, display name = symbol + "." + element name, description = the comment,
    // flag = retentive. A non-instance block's rows end at the first END_STRUCT; STRUCT rows
    // and rows without an offset are passed over; its tags are the whole offset + `base`.
    static OpcUaDataBlockElements elements(const QByteArray& content, const QString& name,
                                           const QString& symbol, bool instance, bool retentive,
                                           quint32 base);
};
