#include "memorybook.h"

#include <climits>

namespace {

// Half-open [start, start + length) in 64 bits, so that large requests cannot overflow.
bool overlaps(qint64 aStart, qint64 aLength, qint64 bStart, qint64 bLength)
{
    return aStart < bStart + bLength && bStart < aStart + aLength;
}

} // namespace

bool MemoryBook::fits(int start, int length, int limit)
{
    if (start < 0 || length < 1)
        return false;
    return limit < 0 || qint64(start) + length <= limit;
}

bool MemoryBook::bytesFree(const Area& a, int start, int length) const
{
    for (const auto& [s, range] : a.bytes) {
        if (s >= qint64(start) + length)
            break;
        if (overlaps(start, length, s, range.length))
            return false;
    }
    auto bit = a.bits.lower_bound(int(qMin<qint64>(qint64(start) * 8, INT_MAX)));
    return bit == a.bits.end() || qint64(*bit) >= (qint64(start) + length) * 8;
}

bool MemoryBook::bitsFree(const Area& a, int bitAddress, int count) const
{
    auto bit = a.bits.lower_bound(bitAddress);
    if (bit != a.bits.end() && *bit < qint64(bitAddress) + count)
        return false;
    const qint64 firstByte = bitAddress / 8;
    const qint64 lastByte = (qint64(bitAddress) + count - 1) / 8;
    for (const auto& [s, range] : a.bytes) {
        if (s > lastByte)
            break;
        if (overlaps(firstByte, lastByte - firstByte + 1, s, range.length))
            return false;
    }
    return true;
}

int MemoryBook::claimBytes(int area, int start, int length, bool local, int areaSize)
{
    if (start < 0 || length < 1)
        return MemoryInvalidRequest;
    if (!fits(start, length, areaSize))
        return MemoryOutOfRange;
    Area& a = m_areas[area];
    if (!bytesFree(a, start, length))
        return MemoryOverlap;
    a.bytes.emplace(start, ByteRange{length, local});
    return MemoryOk;
}

int MemoryBook::claimBits(int area, int bitAddress, int count, int areaSize)
{
    if (bitAddress < 0 || count < 1)
        return MemoryInvalidRequest;
    if (!fits(bitAddress, count,
              areaSize < 0 ? -1 : int(qMin<qint64>(qint64(areaSize) * 8, INT_MAX))))
        return MemoryOutOfRange;
    Area& a = m_areas[area];
    if (!bitsFree(a, bitAddress, count))
        return MemoryOverlap;
    for (int i = 0; i < count; ++i)
        a.bits.insert(bitAddress + i);
    return MemoryOk;
}

int MemoryBook::freeBytes(int area, int start, int length)
{
    if (start < 0 || length < 1)
        return MemoryInvalidRequest;
    auto areaIt = m_areas.find(area);
    if (areaIt == m_areas.end())
        return MemoryNotClaimed;
    auto& bytes = areaIt->second.bytes;
    const qint64 end = qint64(start) + length;
    qint64 freed = 0;
    for (auto it = bytes.begin(); it != bytes.end();) {
        const qint64 s = it->first;
        const qint64 e = s + it->second.length;
        if (s >= end)
            break;
        if (e <= start) {
            ++it;
            continue;
        }
        // Keep what lies outside the freed range on either side.
        const ByteRange range = it->second;
        it = bytes.erase(it);
        if (s < start)
            bytes.emplace(int(s), ByteRange{int(start - s), range.local});
        if (e > end)
            it = bytes.emplace(int(end), ByteRange{int(e - end), range.local}).first;
        freed += qMin(e, end) - qMax<qint64>(s, start);
    }
    return freed == length ? MemoryOk : MemoryNotClaimed;
}

int MemoryBook::freeBits(int area, int bitAddress, int count)
{
    if (bitAddress < 0 || count < 1)
        return MemoryInvalidRequest;
    auto areaIt = m_areas.find(area);
    if (areaIt == m_areas.end())
        return MemoryNotClaimed;
    int freed = 0;
    for (qint64 b = bitAddress; b < qint64(bitAddress) + count; ++b)
        freed += int(areaIt->second.bits.erase(int(b)));
    return freed == count ? MemoryOk : MemoryNotClaimed;
}

int MemoryBook::autoClaimBytes(int area, int length, int areaSize)
{
    if (length < 1)
        return -1;
    const Area& a = m_areas[area];
    // Candidate starts: 0 and the end of every claim, in ascending order.
    std::set<qint64> candidates{0};
    for (const auto& [s, range] : a.bytes)
        candidates.insert(qint64(s) + range.length);
    for (int bit : a.bits)
        candidates.insert(bit / 8 + 1);
    for (qint64 start : candidates) {
        if (start > INT_MAX || !fits(int(start), length, areaSize))
            continue;
        if (bytesFree(a, int(start), length)) {
            claimBytes(area, int(start), length, false, areaSize);
            return int(start);
        }
    }
    return -1;
}

int MemoryBook::autoClaimBits(int area, int count, int areaSize)
{
    if (count < 1)
        return -1;
    const Area& a = m_areas[area];
    std::set<qint64> candidates{0};
    for (const auto& [s, range] : a.bytes)
        candidates.insert((qint64(s) + range.length) * 8);
    for (int bit : a.bits)
        candidates.insert(qint64(bit) + 1);
    const int limit = areaSize < 0 ? -1 : int(qMin<qint64>(qint64(areaSize) * 8, INT_MAX));
    for (qint64 start : candidates) {
        if (start > INT_MAX || !fits(int(start), count, limit))
            continue;
        if (bitsFree(a, int(start), count)) {
            claimBits(area, int(start), count, areaSize);
            return int(start);
        }
    }
    return -1;
}

QList<MemoryClaim> MemoryBook::claims() const
{
    QList<MemoryClaim> list;
    for (const auto& [area, a] : m_areas) {
        for (const auto& [start, range] : a.bytes)
            list.append({area, start, range.length, false, range.local});
        // Consecutive bits are reported as one run.
        for (auto it = a.bits.begin(); it != a.bits.end();) {
            const int first = *it;
            int last = first;
            for (++it; it != a.bits.end() && *it == last + 1; ++it)
                last = *it;
            list.append({area, first, last - first + 1, true, false});
        }
    }
    return list;
}

bool MemoryBook::isEmpty() const
{
    for (const auto& entry : m_areas) {
        if (!entry.second.bytes.empty() || !entry.second.bits.empty())
            return false;
    }
    return true;
}
