#pragma once

#include "slavebook.h"

#include <QByteArray>

// The records of a stand-in slave: a 4-byte head (slave type, form, body length as
// big-endian u16) and a body, so every record says where it ends.
//   save body:         node id (i32), flags (u8, bit 0: I/O map changed), name (u8 length
//                      and local 8-bit text), item count (u8), items (type u8, count u16),
//                      child count (u8), the children's save records
//   download body:     node id, item count, items, child count, the children's download records
//   old download body: node id, item count, items
class SlaveRecord
{
public:
    enum class Form : quint8 { Save = 1, Download = 2, DownloadOld = 3 };

    static constexpr int HeadSize = 4;
    static constexpr int MaxDepth = 4; // a slave, its modules, and theirs

    // Error codes of a failed rebuild.
    static constexpr int ErrorMalformed = 140;
    static constexpr int ErrorWrongType = 141;
    static constexpr int ErrorWrongForm = 142;

    // The record of a slave; empty when the handle is unknown or the record would not fit.
    static QByteArray write(const SlaveBook& book, int handle, quint8 type, Form form);

    // Rebuilds a slave (with its children) from the record at the front of `data`. Returns
    // its handle, or 0 with `error` set. `consumed` is the record's size whenever its head
    // could be read, so a caller can step over a record it could not use.
    static int read(SlaveBook& book, const QByteArray& data, quint8 type, Form form, int& consumed,
                    int& error);
};
