#pragma once

#include "opcuainterface.h"
#include "bytes/fieldchannel.h"

#include <QByteArray>
#include <QList>

#include <limits>

// What an interface payload held. Records are placed under their interface (by interface
// id) and under their data-block object (by parent node id, among the objects before them
// in the payload); a record that has no such place, or whose address cannot be rebuilt, is
// dropped and counted. `problem` names the first thing that is not as a writer makes it.
struct OpcUaInterfaceDecode
{
    OpcUaInterfaces interfaces;
    quint32 declaredVariables = 0; // the payload's variable count
    int readVariables = 0;         // records read from the bytes
    int droppedNoInterface = 0;    // interface id names no interface
    int droppedNoParent = 0;       // parent node id names no object before it (or too deep)
    int droppedAddress = 0;        // area or data type without an address form
    bool overLimit = false;        // more variables declared than the caller takes; none read
    QString problem;

    int dropped() const { return droppedNoInterface + droppedNoParent + droppedAddress; }
    // Every declared record read and placed, nothing left over.
    bool complete() const { return problem.isEmpty() && !overLimit && dropped() == 0; }
    // Why the payload is not complete, for people; empty when it is.
    QString reason() const;
};

// The interface payload (the object's opcUaInterfaceData) and its records.
class OpcUaInterfaceCodec
{
public:
    // The editor's limit on published records.
    static constexpr quint32 MaxVariables = 50000;
    // Data-block objects nest at most this deep (elements that are objects in turn).
    static constexpr int MaxObjectDepth = 8;
    static constexpr int MaxInterfaces = 255; // the count is one byte

    // Writes the interfaces (the first 255) and their records. The records are numbered
    // as they are written: interface i gets id i + 2; its records come first, node ids
    // from 2, parent node id 1; then, breadth-first, the elements of each object with the
    // object's node id as parent. An address whose area the payload does not know is
    // written with area code 0.
    static QByteArray encode(const OpcUaInterfaces& interfaces);

    // Gives the records the interface ids, node ids and parent node ids encode writes.
    static void number(OpcUaInterfaces& interfaces);

    // Reads as far as the bytes go, never past the end; every count is checked against
    // what remains before anything is read for it. With more variables declared than
    // `limit`, no record is read (overLimit).
    static OpcUaInterfaceDecode decode(const QByteArray& payload,
                                       quint32 limit = std::numeric_limits<quint32>::max(),
                                       QList<DumpField>* trace = nullptr);

    static int recordCount(const OpcUaInterfaces& interfaces);
};
