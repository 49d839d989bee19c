#pragma once

#include "model/cpumodel.h"
#include "model/moduledescriptor.h"

#include <QString>

// What the pages of one properties dialog share: the project, its PLC type and version,
// and the catalog identity of the module being edited.
struct DialogContext
{
    QString projectPath;
    QString plcType;
    QString plcVersion;
    ModuleDescriptor descriptor; // of the edited object when the dialog opened

    bool isCompact() const { return CpuModel::isCompact(descriptor.MLFB); }
};
