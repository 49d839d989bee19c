#pragma once

#include "sectionid.h"

#include "plugin/cpuobject.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>
#include <optional>

// The parameter block: a count byte, the header section, then the sections of the
// section table in its order. Save data and download blocks share it; they differ in the
// header's layout and in the write mode handed to the sections.
class ParamBlock
{
public:
    // Save data of the object. Never fails, never empty.
    static QByteArray save(CpuObject& object);

    // A new object from save data; null when the data is empty or its header is short or
    // malformed. Sections after the header are read as far as they go; unknown ones are
    // skipped; a section whose length is below its own head ends the walk. In clone mode
    // EtherCAT slaves are rebuilt as copies.
    static std::unique_ptr<CpuObject> restore(const QByteArray& data, const QString& projectPath,
                                              bool clone);

    // The whole block in a write mode: the count byte, the header, every present section.
    // Nothing when a section writer refused (download checks); `errors` collects the codes.
    static std::optional<QByteArray> build(CpuObject& object, WriteMode mode, QList<int>& errors);
};
