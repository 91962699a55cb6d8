// engine/device/BadRangeTable.h
// The unreadable sector ranges of one disk, so later reads that touch one return zeros at
// once instead of waiting on the failing drive again.
#pragma once
#include <stdint.h>

#include <map>
#include <mutex>
#include <vector>

struct BadRange {
    uint64_t start;
    uint64_t end;  // exclusive
};

class BadRangeTable {
public:
    void SetSectorSize(uint32_t bytesPerSector);
    uint32_t GetSectorSize() const { return m_bytesPerSector; }
    // 0; 87 (invalid parameter) for an empty or reversed range, 8 (not enough memory) when the
    // record cannot be allocated, which leaves the table as it was. A range with a start
    // already recorded widens that record.
    uint32_t AddRange(uint64_t start, uint64_t end);
    // TRUE when the sectors [first, end) share at least one sector with a recorded range.
    int Overlaps(uint64_t first, uint64_t end);
    int Lookup(uint64_t start, BadRange* out);
    int Remove(uint64_t start);
    std::vector<BadRange> CopyRanges();
    void Clear();

private:
    std::mutex m_lock;
    std::map<uint64_t, BadRange> m_ranges;
    uint32_t m_bytesPerSector = 512;
};
