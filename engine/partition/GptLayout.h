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
}  // namespace mbr
