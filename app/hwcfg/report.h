#pragma once

#include <corekit/memorybook.h>
#include <model/localiomap.h>

#include <QList>
#include <QString>

// Texts that several commands print.
namespace Report {

QString areaName(int area);                 // "I", "Q", "V", ... or the code
QString describeMap(const LocalIoMap& map); // "I0.0 .. I1.7 (16 points, area 129)"
QStringList describeClaims(const QList<MemoryClaim>& claims);

// A module type id given as decimal or 0x-prefixed hexadecimal; false when it is neither.
bool parseId(const QString& text, int& id);

} // namespace Report
