#include "cardmemory.h"

#include <corekit/memory.h>
#include <corekit/plcfacts.h>

QList<CardClaim> CardMemory::claimsOf(const CardRecord& card)
{
    QList<CardClaim> claims;
    switch (card.cardType()) {
    case CardType::Amx05: {
        const Amx05Params& amx = card.amx05;
        if (amx.inputWords > 0)
            claims.append({amx.inputArea, amx.inputStart, amx.inputWords * 2, false});
        if (amx.outputWords > 0)
            claims.append({amx.outputArea, amx.outputStart, amx.outputWords * 2, false});
        break;
    }
    case CardType::Dix06:
        for (const Dix06Channel& channel : card.dix06)
            claims.append({int(channel.area), int(channel.bitAddress), 1, true});
        break;
    default:
        break;
    }
    return claims;
}

int CardMemory::claim(const QString& projectPath, const QList<CardClaim>& claims, int* failed)
{
    for (int i = 0; i < claims.size(); ++i) {
        const CardClaim& c = claims.at(i);
        const int result = c.bits ? getBitMemory(projectPath, c.area, c.start, c.length)
                                  : getMemory(projectPath, c.area, c.start, c.length);
        if (result != MemoryOk) {
            release(projectPath, claims.mid(0, i));
            if (failed)
                *failed = i;
            return result;
        }
    }
    return MemoryOk;
}

void CardMemory::release(const QString& projectPath, const QList<CardClaim>& claims)
{
    for (const CardClaim& c : claims) {
        if (c.bits)
            freeBitMemory(projectPath, c.area, c.start, c.length);
        else
            freeMemory(projectPath, c.area, c.start, c.length);
    }
}

int CardMemory::tryClaim(const QString& projectPath, const QList<CardClaim>& held,
                         const QList<CardClaim>& wanted, int* failed)
{
    backupUsedMemory(projectPath);
    release(projectPath, held);
    const int result = claim(projectPath, wanted, failed);
    restoreUsedMemory(projectPath);
    return result;
}

QString CardMemory::describe(const CardClaim& claim)
{
    QString area = memoryAreaName(claim.area);
    if (area.isEmpty())
        area = QStringLiteral("area %1 ").arg(claim.area);
    if (claim.bits) {
        const int last = claim.start + claim.length - 1;
        const QString first =
            QStringLiteral("%1%2.%3").arg(area).arg(claim.start / 8).arg(claim.start % 8);
        return claim.length <= 1
                   ? first
                   : QStringLiteral("%1 .. %2%3.%4").arg(first, area).arg(last / 8).arg(last % 8);
    }
    if (claim.length % 2 == 0 && claim.length >= 2) {
        const QString first = QStringLiteral("%1W%2").arg(area).arg(claim.start);
        if (claim.length == 2)
            return first;
        return QStringLiteral("%1 .. %2W%3").arg(first, area).arg(claim.start + claim.length - 2);
    }
    const QString first = QStringLiteral("%1B%2").arg(area).arg(claim.start);
    return claim.length <= 1
               ? first
               : QStringLiteral("%1 .. %2B%3").arg(first, area).arg(claim.start + claim.length - 1);
}
