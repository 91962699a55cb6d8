// engine/ldm/LdmLayout.h
// The LDM database of a dynamic disk: the private header and the 128-byte VBLK blocks of the
// database area. Unlike the rest of the disk, every LDM number is big-endian, and LDM sector
// numbers count 512-byte units whatever the disk's sector size.
#pragma once
#include <stddef.h>
#include <stdint.h>

inline uint16_t GetBE16(const unsigned char* p) { return uint16_t((p[0] << 8) | p[1]); }
inline uint32_t GetBE32(const unsigned char* p)
{
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}
inline uint64_t GetBE64(const unsigned char* p) { return (uint64_t(GetBE32(p)) << 32) | GetBE32(p + 4); }

namespace privhead {
const size_t kSignature = 0;           // "PRIVHEAD"
const size_t kDiskId = 48;             // GUID text, zero-terminated
const size_t kDiskIdSize = 64;
const size_t kDiskGroupId = 0xB0;      // GUID text of the disk group, zero-terminated
const size_t kDiskGroupIdSize = 64;
const size_t kDiskGroupName = 240;     // zero-terminated
const size_t kDiskGroupNameSize = 32;
const size_t kDataStart = 0x11B;       // u64, 512-byte units
const size_t kDataSize = 0x123;        // u64
const size_t kDatabaseStart = 0x12B;   // u64, 512-byte units
const size_t kDatabaseSize = 0x133;    // u64
const size_t kUsedBytes = 512;
// Where the header is looked for, after the disk's last sector.
const uint64_t kSectorMbrDisk = 6;
const uint64_t kSectorOldDisk = 2081;
}  // namespace privhead

// The database's own header, in the first block that starts with "VMDB".
namespace vmdb {
const size_t kCommittedSequence = 0x75;  // u64: grows with every committed change
}  // namespace vmdb

namespace vblk {
const size_t kBlockSize = 128;
const size_t kSignature = 0;       // "VBLK"
const size_t kSequence = 4;        // u32
const size_t kGroup = 8;           // u32: the fragments of one record share it
const size_t kFragment = 12;       // u16: 0 for the first
const size_t kFragmentCount = 14;  // u16
const size_t kStatus = 16;         // u16 (first fragment)
const size_t kFlags = 18;          // u8  (first fragment)
const size_t kType = 19;           // u8  (first fragment)
const size_t kDataSize = 20;       // u32 (first fragment)
const size_t kHeaderSize = 24;     // a record is its data size + 24
const size_t kFirstData = 104;     // data bytes in the first fragment
const size_t kMoreData = 112;      // data bytes in each continuation, from byte 16
const size_t kContinuationData = 16;
// The database area read, at most (1 MiB of 512-byte sectors).
const uint64_t kMaxDatabaseSectors = 2048;

const unsigned char kTypeComponent = 0x32;
const unsigned char kTypePartition = 0x33;
const unsigned char kTypeDisk = 0x34;
const unsigned char kTypeDiskRawId = 0x44;
const unsigned char kTypeVolume = 0x51;
}  // namespace vblk
