#pragma once

#include "rulefailure.h"

#include "model/soerecord.h"

#include <QString>
#include <QStringList>

// The checks of the SOE records on plain values.
class SoeRules
{
public:
    // The memory area of a trigger in a numbered data block.
    static constexpr int DataBlockArea = 0x85;

    // Whether a used record's trigger names a data block ("DB" and its whole 16-bit
    // number, as the record would be written) that the project lacks.
    static RuleResult trigger(const SoeRecord& record, const QStringList& dataBlocks,
                              const QString& path);
    // A used row needs a title; `row` counts from 0, the message from 1.
    static RuleResult title(int row, bool used, const QString& title, const QString& path);
    // Whether any used record triggers in a data block (the project is asked only then).
    static bool namesDataBlock(const SoeRecord& record);
};
