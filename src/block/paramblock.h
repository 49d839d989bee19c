#pragma once

#include "sectionid.h"

#include "model/cpuobject.h"

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

    // The download block. `errors` is cleared, then collects the codes of the writers
    // (8 or 14 retentive size, 10 CANopen limits, 132 SOE data block). 1 when the CPU
    // parameter section could not be written (132): `block` then holds only the header
    // section; else 0 and the whole block.
    static int compile(CpuObject& object, QByteArray& block, QList<int>& errors);

    // The reduced download block of older firmware: header, CPU parameters, the old
    // EtherCAT layout when EtherCAT is on, CPU expansion.
    static int compileOld(CpuObject& object, QByteArray& block, QList<int>& errors);

    // A new object from a download block read back from a PLC; null on failure with
    // `error` set to a RecompileError: UnknownObjId (129), ServerFileMissing (130, no server
    // file in the host's program folder), SectionShort (-1, a short CPU parameter or CPU
    // expansion section). An empty block or a short header gives null with `error`
    // untouched. Sections 23, 24, 26, 27 and 36 go to the project.
    static std::unique_ptr<CpuObject> recompile(const QByteArray& block, const QString& projectPath,
                                                int& error);

    // The file recompile looks for: the folder above the current directory, "bin", and the
    // module's server file.
    static QString recompileServerFilePath(const QString& serverFile);
};
