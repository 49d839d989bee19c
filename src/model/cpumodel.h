#pragma once

#include <QString>

// CPU models whose order number (MLFB) changes what the configuration holds. Model tests
// compare the whole order number, case-sensitively.
namespace CpuModel {

inline const QString Compact = QStringLiteral("MRW-Q310-24T");
inline const QString Klv2R70 = QStringLiteral("KLV2 R70-500P");
inline const QString Klv2R60 = QStringLiteral("KLV2 R60-500P");

// Module name (ObjName) of the compact model, whose default device name differs.
inline const QString CompactObjName = QStringLiteral("Q310");

inline bool isCompact(const QString& mlfb)
{
    return mlfb == Compact;
}

// Models with the local input filter and high-speed counter sections.
inline bool hasLocalIoSections(const QString& mlfb)
{
    return mlfb == Klv2R70 || mlfb == Klv2R60;
}

// Preset of the project's PLC type and version before the host overwrites them.
inline const QString PlaceholderPlcType = QStringLiteral("PLC");
inline const QString PlaceholderPlcVersion = QStringLiteral("02.01");

} // namespace CpuModel
