#pragma once

#include "cardrecord.h"

#include <QList>
#include <QString>

// One range of project memory that an expansion card occupies. The host keeps byte ranges
// and single bits: an analog mapper of n words from byte address s occupies the bytes
// s .. s + 2n - 1; a digital channel occupies one bit (bit address = byte * 8 + bit).
struct CardClaim
{
    int area = 0;
    int start = 0;  // byte address, or bit address for a bit
    int length = 0; // bytes, or bits
    bool bits = false;

    bool operator==(const CardClaim& o) const
    {
        return area == o.area && start == o.start && length == o.length && bits == o.bits;
    }
};

// The memory the expansion cards occupy in the host's bookkeeping. Claiming and giving back
// go through the same list of ranges, so a release frees exactly what the claim took.
class CardMemory
{
public:
    // The ranges a card occupies: "AMX05-P" its input and output word ranges, "DIX06-P" one
    // bit per channel; other cards none.
    static QList<CardClaim> claimsOf(const CardRecord& card);

    // Claims every range, all or nothing: MemoryOk (1), or the host's code of the first
    // refusal, whose position goes to `failed`; what was taken before it is given back.
    static int claim(const QString& projectPath, const QList<CardClaim>& claims,
                     int* failed = nullptr);
    static void release(const QString& projectPath, const QList<CardClaim>& claims);

    // What claim() would answer once `held` is given back, tried inside a memory snapshot
    // that is rolled back: the project's claims are the same afterwards.
    static int tryClaim(const QString& projectPath, const QList<CardClaim>& held,
                        const QList<CardClaim>& wanted, int* failed = nullptr);

    // "AIW4 .. AIW6" for two words of area 6 from byte 4, "I3.7" for a bit.
    static QString describe(const CardClaim& claim);
};
