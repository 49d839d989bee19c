#pragma once

#include <ifacekit/interface.h>

#include <QString>

// A slave on the EtherCAT, EtherNet/IP or QBUS bus: the host's handle of the slave object,
// the plug-in file it belongs to, and that plug-in's entry points.
struct SlaveEntry
{
    qint32 handle = 0;
    QString pluginPath;
    Interface iface;
};

// A slave on the CAN bus. Kind: 0 for "dpslavekit.dll" slaves, -1 for others when added
// by the host; the slave type byte of its record when rebuilt from a block.
struct CanNodeEntry
{
    qint32 handle = 0;
    QString pluginPath;
    qint32 kind = -1;
    Interface iface;
};
