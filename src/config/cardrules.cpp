#include "cardrules.h"

#include "model/cardlists.h"

#include <corekit/memory.h>

#include <QCoreApplication>
#include <QRegularExpression>

#include <climits>

namespace {

constexpr int kStartLimit = 65534; // the highest even 16-bit start

} // namespace

int CardRules::amx05MaxStart(int areaBytes, int words)
{
    if (areaBytes <= 0)
        return kStartLimit;
    return qMax(0, areaBytes - 2 * words) & ~1;
}

RuleResult CardRules::amx05Start(int start, int areaBytes, int words, const QString& path)
{
    const int last = amx05MaxStart(areaBytes, words);
    if (start % 2 == 0 && start <= last)
        return std::nullopt;
    return RuleFailure{
        RuleFailure::Kind::Warning,
        QCoreApplication::translate("CardAMX05PParWgt",
                                    "The start address must be an even number in the range 0~%1.")
            .arg(last),
        path};
}

QPair<int, int> CardRules::amx05OutputRange(int rangeCode)
{
    // Full scale is 32000; a live-zero range starts at a fifth of it.
    return rangeCode == 0 ? qMakePair(6400, 32000) : qMakePair(0, 32000);
}

RuleResult CardRules::amx05OutputValue(bool enabled, int rangeCode, int value, const QString& path)
{
    if (!enabled || rangeCode < 0)
        return std::nullopt;
    const QPair<int, int> bounds = amx05OutputRange(rangeCode);
    if (value >= bounds.first && value <= bounds.second)
        return std::nullopt;
    return RuleFailure{RuleFailure::Kind::Warning,
                       QCoreApplication::translate("CardAMX05PParWgt",
                                                   "The output value must be in the range %1~%2.")
                           .arg(bounds.first)
                           .arg(bounds.second),
                       path};
}

int CardRules::parseBitAddress(const QString& text)
{
    // The point is a point: "3x7" is no address.
    static const QRegularExpression rule(QStringLiteral("^([0-9]+)\\.([0-7])$"));
    const QRegularExpressionMatch match = rule.match(text);
    if (!match.hasMatch())
        return -1;
    bool ok = false;
    const qlonglong byte = match.captured(1).toLongLong(&ok);
    if (!ok || byte > (INT_MAX - 7) / 8)
        return -1;
    return int(byte * 8 + match.captured(2).toInt());
}

RuleResult CardRules::dix06Address(int area, int bitAddress, const QString& path)
{
    if (area >= 0 && bitAddress >= 0)
        return std::nullopt;
    return RuleFailure{RuleFailure::Kind::Warning,
                       QCoreApplication::translate("CardDIX06PParWgt", "Address error."), path};
}

RuleResult CardRules::can485CobId(bool canOpenMaster, const QString& text, const QString& path)
{
    if (!canOpenMaster)
        return std::nullopt;
    bool ok = false;
    const int cobId = text.toInt(&ok);
    if (ok && cobId >= CobIdMin && cobId <= CobIdMax)
        return std::nullopt;
    return RuleFailure{
        RuleFailure::Kind::Warning,
        QCoreApplication::translate("Card485CANPParWgt", "The COB ID must be in the range %1~%2.")
            .arg(CobIdMin)
            .arg(CobIdMax),
        path};
}

RuleResult CardRules::memory(const QString& projectPath, const QList<CardClaim>& held,
                             const QList<CardUse>& wanted, int* failedUse)
{
    if (projectPath.isEmpty())
        return std::nullopt; // a module outside a project claims nothing
    QList<CardClaim> claims;
    for (const CardUse& use : wanted)
        claims.append(use.claim);
    int failed = -1;
    const int result = CardMemory::tryClaim(projectPath, held, claims, &failed);
    if (result == MemoryOk || failed < 0)
        return std::nullopt;
    const CardUse& use = wanted.at(failed);
    if (failedUse)
        *failedUse = failed;
    return RuleFailure{
        RuleFailure::Kind::Warning,
        QCoreApplication::translate(
            "ExtCardPage", "The addresses %1 of the %2 card in the %3 cannot be reserved: %4")
            .arg(CardMemory::describe(use.claim), CardLists::typeName(use.type),
                 use.slot == 0 ? QCoreApplication::translate("ExtCardPage", "upper slot")
                               : QCoreApplication::translate("ExtCardPage", "lower slot"),
                 getMemoryErrStrByErrCode(result)),
        use.path};
}
