#pragma once

#include <opcua/opcuafile.h>

#include <QByteArray>

#include <optional>

class PluginHost;

// A module's OPC UA payloads in its save data. The plug-in has no export for them, so the
// demo host reads and replaces the OPC UA section itself and lets the plug-in restore and
// save the result: only what the plug-in keeps counts.
class OpcUaSaveData
{
public:
    // Both payloads; nothing when the save data has no OPC UA section (the project's PLC
    // type has no OPC UA server) or the section cannot be read.
    static std::optional<OpcUaFileContents> payloads(const QByteArray& saveData);

    // The save data with its OPC UA section carrying `contents` (an empty payload keeps the
    // module's), restored and saved again through the plug-in; nothing when the save data
    // has no OPC UA section or the plug-in does not keep the new payloads.
    static std::optional<QByteArray> replace(PluginHost& plugin, const QString& project,
                                             const QByteArray& saveData,
                                             const OpcUaFileContents& contents);
};
