// engine/volume/PartitionEntry.h
// Reads of one 16-byte MBR partition entry and of 16-byte GUIDs, shared by the partition
// tables and the volume code. The entry is never trusted: callers bound the sectors it names.
#pragma once
#include <stdint.h>
#include <string.h>

#include "engine/device/LittleEndian.h"

// MBR partition entry layout (16 bytes):
//   0  u8     boot indicator
//   1  3 B    CHS of the first sector
//   4  u8     partition type
//   5  3 B    CHS of the last sector
//   8  u32    first sector (LBA)
//   12 u32    sector count
constexpr size_t kPartitionEntrySize = 16;

inline uint64_t PartitionEntryFirstSector(const unsigned char* entry) { return GetU32(entry + 8); }
inline uint64_t PartitionEntrySectorCount(const unsigned char* entry) { return GetU32(entry + 12); }
// first + count - 1, computed in 64 bits so that a large first sector cannot wrap; an entry
// with no sectors has no last sector and answers its first sector.
inline uint64_t PartitionEntryLastSector(const unsigned char* entry)
{
    uint64_t count = PartitionEntrySectorCount(entry);
    return PartitionEntryFirstSector(entry) + (count ? count - 1 : 0);
}
inline uint32_t PartitionEntryType(const unsigned char* entry) { return entry[4]; }
inline bool IsExtendedPartitionEntry(const unsigned char* entry) { return entry[4] == 0x05 || entry[4] == 0x0F; }
inline bool IsEmptyPartitionEntry(const unsigned char* entry) { return entry[4] == 0; }

constexpr size_t kGuidSize = 16;
inline bool IsNonZeroGuid(const unsigned char* guid)
{
    static const unsigned char zero[kGuidSize] = {};
    return memcmp(guid, zero, kGuidSize) != 0;
}
inline void CopyGuid(unsigned char* to, const unsigned char* from) { memmove(to, from, kGuidSize); }
