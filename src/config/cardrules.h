#pragma once

#include "rulefailure.h"

#include "model/cardmemory.h"

#include <QList>
#include <QPair>
#include <QString>

// A range of project memory a card page's address chooses, with the card and the member.
struct CardUse
{
    CardClaim claim;
    int slot = 0;
    quint8 type = 0;
    QString path;
};

// The checks of the expansion-card pages on plain values.
class CardRules
{
public:
    static constexpr int Amx05InputWords = 2; // one word per input channel
    static constexpr int Amx05OutputWords = 1;
    static constexpr int CobIdMin = 1;
    static constexpr int CobIdMax = 2047; // 11-bit identifiers

    // The highest start an AMX05-P mapper of `words` words may have in an area of
    // `areaBytes` bytes (even, so that the words are whole).
    static int amx05MaxStart(int areaBytes, int words);
    static RuleResult amx05Start(int start, int areaBytes, int words, const QString& path);
    // The output value's range of an output range code: 6400~32000 for "4~20mA", else
    // 0~32000.
    static QPair<int, int> amx05OutputRange(int rangeCode);
    // The output value of an enabled output whose range the page shows (`rangeCode` -1: none).
    static RuleResult amx05OutputValue(bool enabled, int rangeCode, int value, const QString& path);

    // "3.7" -> 31: a byte number, a literal point and one bit number 0-7; -1 otherwise
    // (also when the bit address would not fit an int).
    static int parseBitAddress(const QString& text);
    // A DIX06-P channel needs an area (-1: none) and an address (-1: no address).
    static RuleResult dix06Address(int area, int bitAddress, const QString& path);

    // The COB ID of a card that is the CANopen master, as its field's text.
    static RuleResult can485CobId(bool canOpenMaster, const QString& text, const QString& path);

    // Whether the project's memory takes every range the cards want once the ranges they
    // hold are given back (tried inside a snapshot that is rolled back); the first refused
    // range is the failure (its position in `wanted` goes to `failed`). Nothing outside a
    // project.
    static RuleResult memory(const QString& projectPath, const QList<CardClaim>& held,
                             const QList<CardUse>& wanted, int* failed = nullptr);
};
