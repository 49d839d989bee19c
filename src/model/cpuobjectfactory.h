#pragma once

#include "cpuobject.h"

#include <QString>

#include <memory>

// Builds CPU objects with their model's defaults and gives back what they hold.
class CpuObjectFactory
{
public:
    // A new object for catalog id `id` with the defaults of its model, its local I/O bytes
    // claimed in the project's memory bookkeeping (when the project path is not empty).
    // Null when the id has no usable catalog entry, the server file is missing or a claim
    // is refused; nothing stays claimed then.
    static std::unique_ptr<CpuObject> create(int id, const QString& projectPath);

    // Gives back every memory range the object holds: local inputs and outputs, and the
    // ranges and bits of its expansion cards; an object built from a block holds none.
    static void releaseMemory(const CpuObject& object);

    // Sets both local maps' areas and point counts from the host's facts of the model.
    static void readLocalPoints(ModuleDescriptor& descriptor);
    // Claims the object's local input and output bytes from byte 0, as createObject does;
    // false when the host refuses either (nothing stays claimed then). The object holds
    // its local I/O memory afterwards exactly when the claim succeeded and it has a project.
    static bool claimLocalIo(CpuObject& object);
    // Gives back what claimLocalIo took; the object holds nothing afterwards.
    static void releaseLocalIo(CpuObject& object);

    // Whether the entry's server file exists in host component folder 9.
    static bool serverFileExists(const ModuleDescriptor& descriptor);

    // The OPC UA support of the project's PLC type and version.
    static bool projectSupportsOpcUa(const QString& projectPath);
};
