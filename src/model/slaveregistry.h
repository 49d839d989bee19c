#pragma once

#include "cpuobject.h"

#include <symbolkit/symbol.h>

#include <QList>

// The CPU module's registries of slaves on its field buses (EtherCAT, EtherNet/IP, QBUS
// and the CAN slaves of the CANopen master). A slave is reached only through its
// plug-in's entry points.
class SlaveRegistry
{
public:
    // Codes the list exports report for the slaves of a bus.
    static constexpr int QbusCode = 0xFFFF;
    static constexpr int EipCode = 0x1FFFF;
    static constexpr int EtherCatCode = 0xFFF;

    // The node id a slave's plug-in reports; a plug-in without the entry point sorts last.
    static int nodeIdOf(const Interface& iface, int handle);

    // Inserts before the first slave whose node id is not lower (so a new slave goes
    // before slaves with its node id); a handle already listed is ignored.
    static void insertOrdered(QList<SlaveEntry>& list, int handle, const QString& pluginPath);
    static void insertOrdered(QList<SlaveEntry>& list, SlaveEntry entry);
    // As insertOrdered, but after the slaves with an equal node id: slaves read from a block
    // keep the block's order, so save data read and written again stays the same.
    static void insertFromBlock(QList<SlaveEntry>& list, SlaveEntry entry);

    // Appends a CAN slave; kind 0 for "dpslavekit.dll" slaves (any case), else -1.
    static void appendCan(QList<CanNodeEntry>& list, int handle, const QString& pluginPath);

    // Removes the first entry with that handle; nothing when there is none.
    static void remove(QList<SlaveEntry>& list, int handle);
    static void remove(QList<CanNodeEntry>& list, int handle);

    // Fills the handles and, per slave, the bus code; -1 (lists untouched) when the bus is
    // off, else the number of slaves.
    static int list(const QList<SlaveEntry>& slaves, bool busOn, int code, QList<int>& handles,
                    QList<int>& codes);
    static int list(const QList<CanNodeEntry>& slaves, bool busOn, QList<int>& handles,
                    QList<int>& kinds);

    // Ascending by node id, asked of each slave once.
    static void sortByNodeId(QList<SlaveEntry>& list);
    static void sortByNodeId(QList<CanNodeEntry>& list);

    // Appends the mapping symbols of the EtherCAT slaves (EtherCAT on) and of the CAN
    // slaves (CANopen master on) to `symbols`.
    static void mappingSymbols(const CpuObject& object, QList<Symbol>& symbols);

    // Asks every EtherCAT slave to forget that its I/O map changed.
    static void resetIoMapChanged(const CpuObject& object);
};
