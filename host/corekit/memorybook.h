#pragma once

#include <QList>

#include <map>
#include <set>

// One claimed range, as the inspection call reports it. For bit claims start and length
// count bits (bit address = byte * 8 + bit); otherwise bytes.
struct MemoryClaim
{
    int area = 0;
    int start = 0;
    int length = 0;
    bool bits = false;
    bool local = false; // claimed through getLocalMemory (the CPU's own I/O image)

    bool operator==(const MemoryClaim& o) const
    {
        return area == o.area && start == o.start && length == o.length && bits == o.bits &&
               local == o.local;
    }
};

// Result codes of the memory calls; getMemoryErrStrByErrCode turns them into text.
enum MemoryResult : int {
    MemoryOk = 1,
    MemoryOverlap = 2,
    MemoryOutOfRange = 3,
    MemoryInvalidRequest = 4,
    MemoryNotClaimed = 5,
};

// The claims of one project: byte ranges and single bits per memory area. A byte range
// and a bit conflict when the bit lies in one of the range's bytes. An area size of -1
// means the area has no declared size (only negative addresses are refused).
class MemoryBook
{
public:
    int claimBytes(int area, int start, int length, bool local, int areaSize);
    int claimBits(int area, int bitAddress, int count, int areaSize);
    int freeBytes(int area, int start, int length);
    int freeBits(int area, int bitAddress, int count);

    // First free place that fits, claimed at once; -1 when none does.
    int autoClaimBytes(int area, int length, int areaSize);
    int autoClaimBits(int area, int count, int areaSize);

    QList<MemoryClaim> claims() const; // by area, bytes before bits, ascending
    bool isEmpty() const;

private:
    struct ByteRange
    {
        int length;
        bool local;
    };
    struct Area
    {
        std::map<int, ByteRange> bytes; // start -> range, never overlapping
        std::set<int> bits;
    };

    bool bytesFree(const Area& a, int start, int length) const;
    bool bitsFree(const Area& a, int bitAddress, int count) const;
    static bool fits(int start, int length, int limit);

    std::map<int, Area> m_areas;
};
