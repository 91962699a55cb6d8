// engine/partition/GptLayout.h
// Field offsets of the GUID partition table: the header (at LBA 1, its backup at the disk's
// last LBA) and one entry of the entry array. All numbers little-endian.
#pragma once
#include <stddef.h>
#include <stdint.h>

namespace gpt {
// Header.
const size_t kSignature = 0;        // "EFI PART"
const size_t kRevision = 8;         // u32
const size_t kHeaderSize = 12;      // u32, bytes covered by the header CRC
const size_t kHeaderCrc = 16;       // u32, CRC32 of the header with this field zeroed
const size_t kMyLba = 24;           // u64, where this copy lives
const size_t kAlternateLba = 32;    // u64, the other copy
const size_t kFirstUsableLba = 40;  // u64
const size_t kLastUsableLba = 48;   // u64
const size_t kDiskGuid = 56;        // 16 bytes
const size_t kEntriesLba = 72;      // u64, first sector of the entry array
const size_t kEntryCount = 80;      // u32
const size_t kEntrySize = 84;       // u32, 128 x 2^n
const size_t kEntriesCrc = 88;      // u32, CRC32 of count x size bytes
const size_t kMinHeaderSize = 92;

// Entry.
const size_t kEntryType = 0;        // 16-byte type GUID
const size_t kEntryUnique = 16;     // 16-byte unique GUID
const size_t kEntryFirstLba = 32;   // u64
const size_t kEntryLastLba = 40;    // u64, inclusive
const size_t kEntryName = 56;       // UTF-16, 36 characters
const size_t kMinEntrySize = 128;

// Bounds we accept before allocating: real tables hold 128 entries of 128 bytes; the
// standard allows more, but a count that needs more than 1 MiB is damage, not a table.
const uint32_t kMaxEntryArrayBytes = 1u << 20;
const uint32_t kMaxEntrySize = 4096;

// Where the array lies on every disk the GPT tools and Windows make, header or not.
const uint64_t kFixedEntriesLba = 2;
const uint32_t kFixedEntryCount = 128;

// The header and an entry as fields of fixed width, every one a byte array (no padding, no
// field whose size depends on the build), checked against the offsets above at compile time.
struct HeaderBytes {
    uint8_t signature[8], revision[4], headerSize[4], headerCrc[4], reserved[4];
    uint8_t myLba[8], alternateLba[8], firstUsableLba[8], lastUsableLba[8], diskGuid[16];
    uint8_t entriesLba[8], entryCount[4], entrySize[4], entriesCrc[4];
};
static_assert(sizeof(HeaderBytes) == kMinHeaderSize, "GPT header");
static_assert(offsetof(HeaderBytes, revision) == kRevision && offsetof(HeaderBytes, headerSize) == kHeaderSize &&
                  offsetof(HeaderBytes, headerCrc) == kHeaderCrc && offsetof(HeaderBytes, myLba) == kMyLba &&
                  offsetof(HeaderBytes, alternateLba) == kAlternateLba &&
                  offsetof(HeaderBytes, firstUsableLba) == kFirstUsableLba &&
                  offsetof(HeaderBytes, lastUsableLba) == kLastUsableLba && offsetof(HeaderBytes, diskGuid) == kDiskGuid &&
                  offsetof(HeaderBytes, entriesLba) == kEntriesLba && offsetof(HeaderBytes, entryCount) == kEntryCount &&
                  offsetof(HeaderBytes, entrySize) == kEntrySize && offsetof(HeaderBytes, entriesCrc) == kEntriesCrc,
              "GPT header fields");

struct EntryBytes {
    uint8_t type[16], unique[16], firstLba[8], lastLba[8], attributes[8], name[72];
};
static_assert(sizeof(EntryBytes) == kMinEntrySize, "GPT entry");
static_assert(offsetof(EntryBytes, unique) == kEntryUnique && offsetof(EntryBytes, firstLba) == kEntryFirstLba &&
                  offsetof(EntryBytes, lastLba) == kEntryLastLba && offsetof(EntryBytes, name) == kEntryName,
              "GPT entry fields");
}  // namespace gpt

namespace mbr {
const size_t kEntriesOffset = 446;  // four 16-byte entries
const size_t kEntrySize = 16;
const size_t kEntryStatus = 0;      // 0x00 or 0x80
const size_t kEntryType = 4;
const size_t kEntryStartLba = 8;    // u32, relative to the table's base
const size_t kEntrySectors = 12;    // u32
const size_t kSignatureOffset = 510;  // 0x55 0xAA
const size_t kMinSectorSize = 512;

const unsigned char kTypeExtendedChs = 0x05;
const unsigned char kTypeExtendedLba = 0x0F;
const unsigned char kTypeExtendedLinux = 0x85;
const unsigned char kTypeDynamic = 0x42;
const unsigned char kTypeGptProtective = 0xEE;

// A table sector (MBR or EBR) as fields of fixed width, checked against the offsets above.
struct EntryBytes {
    uint8_t status, firstChs[3], type, lastChs[3], startLba[4], sectors[4];
};
struct SectorBytes {
    uint8_t bootCode[446];
    EntryBytes entries[4];
    uint8_t signature[2];
};
static_assert(sizeof(EntryBytes) == kEntrySize && sizeof(SectorBytes) == kMinSectorSize, "MBR sector");
static_assert(offsetof(EntryBytes, status) == kEntryStatus && offsetof(EntryBytes, type) == kEntryType &&
                  offsetof(EntryBytes, startLba) == kEntryStartLba && offsetof(EntryBytes, sectors) == kEntrySectors &&
                  offsetof(SectorBytes, entries) == kEntriesOffset && offsetof(SectorBytes, signature) == kSignatureOffset,
              "MBR sector fields");
}  // namespace mbr
