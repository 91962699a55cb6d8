// engine/collection/EntryComparisons.cpp
#include "engine/collection/EntryComparisons.h"

namespace {

bool SameDisk(IStorageDevice* a, IStorageDevice* b, const DiskNumberOf& diskNumberOf)
{
    if (a == b)
        return true;
    if (!diskNumberOf)
        return false;
    const int na = diskNumberOf(a);
    return na >= 0 && na == diskNumberOf(b);
}

// The end of a slot's range; a damaged length cannot wrap it round to the disk's start.
uint64_t SlotEnd(const EntrySlot& s)
{
    return s.length > UINT64_MAX - s.start ? UINT64_MAX : s.start + s.length;
}

// Whether the sector ranges of two slots share a sector; an empty range shares none.
bool RangesIntersect(const EntrySlot& a, const EntrySlot& b)
{
    return a.length != 0 && b.length != 0 && a.start < SlotEnd(b) && b.start < SlotEnd(a);
}

bool IsUsed(const EntrySlot& s)
{
    return s.disk && (s.start != 0 || s.length != 0);
}

char Upper(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

}  // namespace

bool EntriesOverlap(const PartitionEntry& a, const PartitionEntry& b, const DiskNumberOf& diskNumberOf)
{
    for (const EntrySlot& sa : a.slots) {
        if (!IsUsed(sa))
            break;
        for (const EntrySlot& sb : b.slots) {
            if (!IsUsed(sb))
                break;
            if (RangesIntersect(sa, sb) && SameDisk(sa.disk, sb.disk, diskNumberOf))
                return true;
        }
    }
    return false;
}

bool IsEntryOnDriveLetter(const PartitionEntry& entry, char letter, const std::vector<PartitionEntry>& entries,
                          const DiskNumberOf& diskNumberOf)
{
    letter = Upper(letter);
    if (letter == 0 || entry.source != 0)
        return false;
    if (entry.driveLetter != 0)
        return Upper(entry.driveLetter) == letter;
    for (const PartitionEntry& lettered : entries) {
        if (&lettered != &entry && Upper(lettered.driveLetter) == letter && EntriesOverlap(entry, lettered, diskNumberOf))
            return true;
    }
    return false;
}
