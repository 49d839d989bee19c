#pragma once

#include <opcua/opcuadragdata.h>
#include <opcua/opcuainterface.h>

#include <QJsonArray>
#include <QJsonObject>

// A large project and server interface for measuring the interface editor: a project file
// with many symbols and data blocks, and the interfaces a user gets by dragging its
// variables and blocks in (the records are made by the editor's own drop rules).
class OpcUaGenerator
{
public:
    struct Shape
    {
        int symbols = 50000;
        int blocks = 100;
        int elementsPerBlock = 20;
    };

    explicit OpcUaGenerator(const Shape& shape);

    // The project file: KLV2-R70 with OPC UA, a global symbol table (one symbol in a
    // hundred a timer or counter, which the editor leaves out), a block symbol table and
    // the data blocks, their rows like the program editor's.
    QJsonObject project() const;

    // What the source tree offers for this project: its variables and its data blocks.
    const OpcUaDragItems& variables() const { return m_variables; }
    const OpcUaDragItems& blocks() const { return m_blocks; }

    // Exactly `records` published records in `count` interfaces (filled in turn): every tenth
    // drop a data block with its elements, the others variables.
    OpcUaInterfaces interfaces(int records, int count) const;

private:
    QJsonArray m_symbolTable;
    QJsonArray m_blockTable;
    QJsonArray m_dataBlocks;
    OpcUaDragItems m_variables;
    OpcUaDragItems m_blocks;
};
