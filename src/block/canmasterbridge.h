#pragma once

#include "model/canmasterconfig.h"

#include "bytes/bytereader.h"
#include "bytes/fieldchannel.h"

#include <QByteArray>
#include <QList>

// The CANopen master and its CAN slaves as bytes: the download payload (with the
// 20 kbit/s limits), the save payload, and the rebuilds from both. Each slave's bytes are
// produced and consumed by its own plug-in, chosen by the slave type byte of its record.
class CanMasterBridge
{
public:
    static constexpr int SlowBaud = 20;
    static constexpr int SlowBaudMaxSlaves = 8;
    static constexpr int SlowBaudMaxItems = 8;

    // Baud rate (kbit/s) <-> index of the download form; unknown rates write 255, unknown
    // indexes read as 1000.
    static quint8 baudIndex(int kbps);
    static int baudFromIndex(int index);

    // The plug-in file of a slave type byte (0 dp, 1 can); empty for the others.
    static QString pluginForType(quint8 type);

    // Sorts the slaves by node id, checks the 20 kbit/s limits (CompileError::CanMasterLimits,
    // result 1) and appends the download payload to `payload` (result 0).
    static int compile(CanMasterConfig& master, QByteArray& payload, QList<int>& errors);
    static QByteArray downloadPayload(const CanMasterConfig& master);

    // Rebuilds the master from a download payload (`in` positioned after the section
    // head). CanRebuildError::None, SlaveUnresolvable when no plug-in rebuilds a slave's
    // type, or the error code of the plug-in that failed; slaves rebuilt before the failure
    // stay in the list.
    static int rebuildFromDownload(ByteReader& in, CanMasterConfig& master,
                                   const QString& projectPath);

    // The save payload, and the rebuild from it (the COB ID only in projects created by
    // version 2002 or later).
    static QByteArray savePayload(const CanMasterConfig& master, const QString& projectPath);
    static void rebuildFromSave(ByteReader& in, CanMasterConfig& master,
                                const QString& projectPath);

    // The fields of both payload forms, for inspection.
    static void dumpDownload(ByteReader& in, QList<DumpField>& fields);
    static void dumpSave(ByteReader& in, QList<DumpField>& fields);
};
