#pragma once

#include "corekit_global.h"

#include <QList>
#include <QString>

// Facts about PLC models, answered from <host home>/plc-types.json. A model is found by
// any string in its "names" list: the first argument is tried first, then the second, so
// the calls work with (PLC type, version) as well as with (module name, order number).
// Unknown models and unknown keys answer 0, false or an empty list.

struct DataRetenDefault
{
    QString area; // "VB", "VW", "VD", "MB", "MW", "MD", "T", "C"
    int start = 0;
    int length = 0;
};

COREKIT_EXPORT bool getPlcSupportOpcUA(const QString& type, const QString& version);
COREKIT_EXPORT int getPlcAddrRange(const QString& name, const QString& model, const QString& key);
COREKIT_EXPORT int getPlcMaxPouSize(const QString& type, const QString& version);
COREKIT_EXPORT int getPlcObjectRange(const QString& type, const QString& version, int kind);
COREKIT_EXPORT int getPlcPpiPortNumByVer(const QString& model);
COREKIT_EXPORT QList<DataRetenDefault> getDefaultDataRenten(const QString& type,
                                                            const QString& version);

// The letters of a memory area (VarArea code) as addresses write it: "I", "Q", "M", "V",
// "AI", "AQ", "S", "SM"; empty for other codes.
COREKIT_EXPORT QString memoryAreaName(int area);

// The byte size of a memory area (VarArea code) for a PLC type, from its "addrRanges"
// under the area's letter key; -1 when the type does not declare one.
COREKIT_EXPORT int plcAreaSize(const QString& type, int area);
