#pragma once

#include <QList>
#include <QString>

// One I/O item of a slave module: its kind and how many channels it has.
struct SlaveItem
{
    quint8 type = 0; // 1: process data objects counted against the 20 kbit/s CAN limit
    quint16 count = 0;

    bool operator==(const SlaveItem& o) const { return type == o.type && count == o.count; }
};

// A slave module object of a stand-in slave plug-in.
struct SlaveObject
{
    qint32 nodeId = 0;
    QString name;
    bool ioMapChanged = false;
    QList<SlaveItem> items;
    QList<int> children; // handles of this plug-in's child modules, in order
};
