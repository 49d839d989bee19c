#pragma once

#include "model/cpuobject.h"
#include "model/soerecord.h"
#include "opcua/opcuainterface.h"
#include "opcua/opcuasettings.h"

#include <QByteArray>
#include <QList>
#include <QString>

// A field-bus slave as a configuration document carries it: its plug-in's file name, the
// node id the slave reports, and its record as the save data holds it (the save record on
// EtherCAT and CAN, the download record on QBUS and EtherNet/IP).
struct StoredSlave
{
    QString plugin;
    qint32 nodeId = 0;
    QByteArray record;
};

// The OPC UA server's two payloads as a document carries them: as records where the
// payload is exactly what the codecs write for them, else as the payload's bytes.
struct OpcUaDocument
{
    bool hasSettings = false;
    OpcUaSettings settings;
    QByteArray settingsPayload;
    bool hasInterfaces = false;
    OpcUaInterfaces interfaces;
    QByteArray interfacesPayload;
};

// Everything a module's save data holds, in the shape of the JSON document: the
// configuration object (its slave lists left empty, its SOE slots given by `soe`), the
// slaves of each bus, and the OPC UA configuration.
struct ConfigDocument
{
    static constexpr int Version = 1;

    QString format;
    int version = Version;
    QString orderNumber; // of the catalog entry; a reader's check, not stored
    CpuObject object;
    QList<SoeRecord> soe; // the used slots, each with its slot number
    QList<StoredSlave> etherCatSlaves;
    QList<StoredSlave> canSlaves;
    QList<StoredSlave> qbusSlaves;
    QList<StoredSlave> eipSlaves;
    OpcUaDocument opcUa;
};
