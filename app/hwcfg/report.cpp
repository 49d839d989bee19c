#include "report.h"

#include <corekit/plcfacts.h>

#include <climits>

namespace Report {

QString areaName(int area)
{
    const QString name = memoryAreaName(area);
    return name.isEmpty() ? QStringLiteral("area %1").arg(area) : name;
}

QString describeMap(const LocalIoMap& map)
{
    if (map.points == 0)
        return QStringLiteral("none (area %1)").arg(map.area);
    const int first = map.startByte;
    const int last = map.startByte + map.byteCount() - 1;
    const int lastBit = (map.points - 1) % 8;
    const QString name = areaName(map.area);
    return QStringLiteral("%1%2.0 .. %1%3.%4 (%5 points, area %6)")
        .arg(name)
        .arg(first)
        .arg(last)
        .arg(lastBit)
        .arg(map.points)
        .arg(map.area);
}

QStringList describeClaims(const QList<MemoryClaim>& claims)
{
    QStringList lines;
    for (const MemoryClaim& claim : claims) {
        const QString name = areaName(claim.area);
        if (claim.bits) {
            lines.append(QStringLiteral("%1 bits %2.%3, %4 bit(s)")
                             .arg(name)
                             .arg(claim.start / 8)
                             .arg(claim.start % 8)
                             .arg(claim.length));
        } else if ((claim.area == 6 || claim.area == 7) && claim.length % 2 == 0) {
            // Analog areas hold words: AIW4 .. AIW6 are the bytes 4 .. 7.
            lines.append(QStringLiteral("%1W%2 .. %1W%3 (%4 word(s), bytes %2 .. %5)")
                             .arg(name)
                             .arg(claim.start)
                             .arg(claim.start + claim.length - 2)
                             .arg(claim.length / 2)
                             .arg(claim.start + claim.length - 1));
        } else {
            lines.append(QStringLiteral("%1B%2 .. %1B%3 (%4 byte(s)%5)")
                             .arg(name)
                             .arg(claim.start)
                             .arg(claim.start + claim.length - 1)
                             .arg(claim.length)
                             .arg(claim.local ? QStringLiteral(", local I/O") : QString()));
        }
    }
    return lines;
}

bool parseId(const QString& text, int& id)
{
    bool ok = false;
    const qlonglong value = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)
                                ? text.mid(2).toLongLong(&ok, 16)
                                : text.toLongLong(&ok, 10);
    if (!ok || value < INT_MIN || value > INT_MAX)
        return false;
    id = int(value);
    return true;
}

} // namespace Report
