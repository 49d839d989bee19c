#pragma once

#include "corekit_global.h"
#include "memorybook.h"

#include <QList>
#include <QString>

// The project's memory bookkeeping: who holds which bytes and bits of each memory area
// (VarArea: 0x81 = 129 inputs, 0x82 = 130 outputs, 0x83 M, 0x84 V, 6 AI, 7 AQ, 4 S, 5 SM).
// Claims live in the process, per project path. A claim is refused when it overlaps a
// claim of the same project or does not fit the area size that the project's PLC type
// declares. Every call answers 1 on success, else a MemoryResult code.

enum VarArea : int {
    VarAreaLocalInput = 129,
    VarAreaLocalOutput = 130,
};

COREKIT_EXPORT int getLocalMemory(const QString& projectPath, int area, int start, int length);
COREKIT_EXPORT int getMemory(const QString& projectPath, int area, int start, int length);
COREKIT_EXPORT int getBitMemory(const QString& projectPath, int area, int bitAddress, int count);
COREKIT_EXPORT int freeMemory(const QString& projectPath, int area, int start, int length);
COREKIT_EXPORT int freeBitMemory(const QString& projectPath, int area, int bitAddress, int count);

// Claim the first free range (bytes) or run of bits that fits; the start, or -1.
COREKIT_EXPORT int autoMallocMemory(const QString& projectPath, int area, int length);
COREKIT_EXPORT int autoMallocBitMemory(const QString& projectPath, int area, int count);

// Snapshots nest: backup pushes the current claims, pop drops the newest snapshot and
// keeps the claims, restore returns to the newest snapshot and drops it.
COREKIT_EXPORT void backupUsedMemory(const QString& projectPath);
COREKIT_EXPORT void popBackupMemory(const QString& projectPath);
COREKIT_EXPORT void restoreUsedMemory(const QString& projectPath);

COREKIT_EXPORT QString getMemoryErrStrByErrCode(int code);

// Inspection for tests and the demo host.
COREKIT_EXPORT QList<MemoryClaim> getUsedMemory(const QString& projectPath);
COREKIT_EXPORT int backupDepth(const QString& projectPath);
COREKIT_EXPORT void clearUsedMemory(const QString& projectPath);
