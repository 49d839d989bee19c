#pragma once

#include "model/cpumodel.h"
#include "model/moduledescriptor.h"

#include <QString>

// What the pages of one properties dialog share: the project, its PLC type and version,
// the catalog identity of the module being edited, and the facts that decide which pages
// exist. Filled once when the dialog opens.
struct DialogContext
{
    QString projectPath;
    QString plcType;
    QString plcVersion;
    ModuleDescriptor descriptor; // of the edited object when the dialog opened
    int localInputPoints = 0;    // as the host knows them now
    int localOutputPoints = 0;
    bool opcUaSupported = false;
    bool projectSupportsQbus = false;
    bool projectSupportsEip = false;

    bool isCompact() const { return CpuModel::isCompact(descriptor.MLFB); }
};
