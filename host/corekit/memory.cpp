#include "memory.h"

#include "plcfacts.h"
#include "projectfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QVector>

namespace {

struct ProjectMemory
{
    MemoryBook current;
    QVector<MemoryBook> snapshots;
};

QHash<QString, ProjectMemory>& registry()
{
    static QHash<QString, ProjectMemory> projects;
    return projects;
}

// "p.json", "./p.json" and the absolute path name the same project.
QString projectKey(const QString& projectPath)
{
    return QDir::cleanPath(QFileInfo(projectPath).absoluteFilePath());
}

ProjectMemory* memoryOf(const QString& projectPath)
{
    if (projectPath.isEmpty())
        return nullptr;
    return &registry()[projectKey(projectPath)];
}

int areaSize(const QString& projectPath, int area)
{
    return plcAreaSize(ProjectFile::load(projectPath).plcType(), area);
}

} // namespace

int getLocalMemory(const QString& projectPath, int area, int start, int length)
{
    ProjectMemory* memory = memoryOf(projectPath);
    if (!memory)
        return MemoryInvalidRequest;
    return memory->current.claimBytes(area, start, length, true, areaSize(projectPath, area));
}

int getMemory(const QString& projectPath, int area, int start, int length)
{
    ProjectMemory* memory = memoryOf(projectPath);
    if (!memory)
        return MemoryInvalidRequest;
    return memory->current.claimBytes(area, start, length, false, areaSize(projectPath, area));
}

int getBitMemory(const QString& projectPath, int area, int bitAddress, int count)
{
    ProjectMemory* memory = memoryOf(projectPath);
    if (!memory)
        return MemoryInvalidRequest;
    return memory->current.claimBits(area, bitAddress, count, areaSize(projectPath, area));
}

int freeMemory(const QString& projectPath, int area, int start, int length)
{
    ProjectMemory* memory = memoryOf(projectPath);
    return memory ? memory->current.freeBytes(area, start, length) : MemoryInvalidRequest;
}

int freeBitMemory(const QString& projectPath, int area, int bitAddress, int count)
{
    ProjectMemory* memory = memoryOf(projectPath);
    return memory ? memory->current.freeBits(area, bitAddress, count) : MemoryInvalidRequest;
}

int autoMallocMemory(const QString& projectPath, int area, int length)
{
    ProjectMemory* memory = memoryOf(projectPath);
    return memory ? memory->current.autoClaimBytes(area, length, areaSize(projectPath, area)) : -1;
}

int autoMallocBitMemory(const QString& projectPath, int area, int count)
{
    ProjectMemory* memory = memoryOf(projectPath);
    return memory ? memory->current.autoClaimBits(area, count, areaSize(projectPath, area)) : -1;
}

void backupUsedMemory(const QString& projectPath)
{
    if (ProjectMemory* memory = memoryOf(projectPath))
        memory->snapshots.append(memory->current);
}

void popBackupMemory(const QString& projectPath)
{
    ProjectMemory* memory = memoryOf(projectPath);
    if (memory && !memory->snapshots.isEmpty())
        memory->snapshots.removeLast();
}

void restoreUsedMemory(const QString& projectPath)
{
    ProjectMemory* memory = memoryOf(projectPath);
    if (memory && !memory->snapshots.isEmpty())
        memory->current = memory->snapshots.takeLast();
}

QString getMemoryErrStrByErrCode(int code)
{
    switch (code) {
    case MemoryOk:
        return QCoreApplication::translate("corekit", "The memory was reserved.");
    case MemoryOverlap:
        return QCoreApplication::translate("corekit",
                                           "The address range is already used in the project.");
    case MemoryOutOfRange:
        return QCoreApplication::translate("corekit",
                                           "The address range exceeds the memory of the PLC type.");
    case MemoryInvalidRequest:
        return QCoreApplication::translate("corekit", "The address range is not valid.");
    case MemoryNotClaimed:
        return QCoreApplication::translate("corekit", "The address range was not reserved.");
    default:
        return QCoreApplication::translate("corekit", "Unknown memory error %1.").arg(code);
    }
}

QList<MemoryClaim> getUsedMemory(const QString& projectPath)
{
    if (projectPath.isEmpty())
        return {};
    auto it = registry().constFind(projectKey(projectPath));
    return it == registry().constEnd() ? QList<MemoryClaim>() : it->current.claims();
}

int backupDepth(const QString& projectPath)
{
    if (projectPath.isEmpty())
        return 0;
    auto it = registry().constFind(projectKey(projectPath));
    return it == registry().constEnd() ? 0 : it->snapshots.size();
}

void clearUsedMemory(const QString& projectPath)
{
    if (!projectPath.isEmpty())
        registry().remove(projectKey(projectPath));
}
