#pragma once

#include <QList>
#include <QMetaType>
#include <QString>

// One entry of a project symbol table, or a mapping symbol that a slave module offers.
struct Symbol
{
    QString name;
    QString address;  // "I0.3", "VW100", "DB5.DBW4", ...
    QString dataType; // "BOOL", "INT", ...
    QString comment;
    QString table; // the symbol table it belongs to; empty for mapping symbols
    int tableType = 0;

    bool operator==(const Symbol& o) const
    {
        return name == o.name && address == o.address && dataType == o.dataType &&
               comment == o.comment && table == o.table && tableType == o.tableType;
    }
};

Q_DECLARE_METATYPE(Symbol)
