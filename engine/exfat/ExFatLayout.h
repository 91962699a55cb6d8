// engine/exfat/ExFatLayout.h
// Offsets of the exFAT boot sector and of the 32-byte directory entries.
#pragma once
#include <stddef.h>
#include <stdint.h>

namespace exfatlayout {
// Boot sector.
constexpr size_t kFileSystemName = 3;       // 8 bytes, "EXFAT   "
constexpr size_t kMustBeZero = 11;          // 53 bytes
constexpr size_t kMustBeZeroLength = 53;
constexpr size_t kVolumeLength = 72;        // u64, sectors
constexpr size_t kFatOffset = 80;           // u32, sectors
constexpr size_t kFatLength = 84;           // u32, sectors
constexpr size_t kClusterHeapOffset = 88;   // u32, sectors
constexpr size_t kClusterCount = 92;        // u32
constexpr size_t kRootCluster = 96;         // u32
constexpr size_t kVolumeFlags = 106;        // u16, bit 0 active FAT
constexpr size_t kBytesPerSectorShift = 108; // u8
constexpr size_t kSectorsPerClusterShift = 109; // u8
constexpr size_t kNumberOfFats = 110;       // u8
constexpr size_t kSignature = 510;          // u16 0xAA55

// Directory entries: byte 0 is the type, bit 7 marks an entry in use.
constexpr size_t kEntrySize = 32;
constexpr uint8_t kTypeLabel = 0x83;
constexpr uint8_t kTypeFile = 0x85;
constexpr uint8_t kTypeStream = 0xC0;
constexpr uint8_t kTypeFileName = 0xC1;
constexpr uint8_t kTypeBitmap = 0x81;
constexpr uint8_t kTypeUpcase = 0x82;
constexpr uint8_t kInUse = 0x80;

// Volume Label entry.
constexpr size_t kLabelCount = 1;           // u8, at most 11
constexpr size_t kLabelUnits = 2;           // 11 UTF-16 units
constexpr size_t kLabelReserved = 24;       // 8 bytes
constexpr uint32_t kLabelMaxUnits = 11;

// File entry.
constexpr size_t kFileSecondaryCount = 1;   // u8
constexpr size_t kFileAttributes = 4;       // u16
constexpr size_t kFileReserved1 = 6;        // u16
constexpr size_t kFileCreate = 8;           // u32 timestamp
constexpr size_t kFileModify = 12;          // u32
constexpr size_t kFileAccess = 16;          // u32
constexpr size_t kFileCreate10ms = 20;      // u8
constexpr size_t kFileModify10ms = 21;      // u8
constexpr size_t kFileReserved2 = 25;       // 7 bytes

// Stream Extension entry.
constexpr size_t kStreamFlags = 1;          // u8, bit 1 no FAT chain
constexpr size_t kStreamReserved1 = 2;      // u8
constexpr size_t kStreamNameLength = 3;     // u8
constexpr size_t kStreamReserved2 = 6;      // u16
constexpr size_t kStreamValidLength = 8;    // u64
constexpr size_t kStreamReserved3 = 16;     // u32
constexpr size_t kStreamFirstCluster = 20;  // u32
constexpr size_t kStreamDataLength = 24;    // u64

// File Name entry.
constexpr size_t kNameFlags = 1;            // u8
constexpr size_t kNameUnits = 2;            // 15 UTF-16 units

// Allocation Bitmap and Up-case Table entries.
constexpr size_t kTableFirstCluster = 20;   // u32
constexpr size_t kTableDataLength = 24;     // u64

// Cluster values from here up are bad or end marks.
constexpr uint32_t kClusterBad = 0xFFFFFFF6;

// The boot sector as fields of fixed width, every one a byte array (no padding, no field whose
// size depends on the build), checked against the offsets above at compile time.
struct BootSectorBytes {
    uint8_t jump[3], fileSystemName[8], mustBeZero[53];
    uint8_t partitionOffset[8], volumeLength[8], fatOffset[4], fatLength[4], clusterHeapOffset[4];
    uint8_t clusterCount[4], rootCluster[4], serial[4], revision[2], volumeFlags[2];
    uint8_t bytesPerSectorShift, sectorsPerClusterShift, numberOfFats, driveSelect, percentInUse;
    uint8_t reserved[7], bootCode[390], signature[2];
};
static_assert(sizeof(BootSectorBytes) == 512, "exFAT boot sector");
static_assert(offsetof(BootSectorBytes, fileSystemName) == kFileSystemName &&
                  offsetof(BootSectorBytes, mustBeZero) == kMustBeZero &&
                  sizeof(BootSectorBytes::mustBeZero) == kMustBeZeroLength &&
                  offsetof(BootSectorBytes, volumeLength) == kVolumeLength &&
                  offsetof(BootSectorBytes, fatOffset) == kFatOffset && offsetof(BootSectorBytes, fatLength) == kFatLength &&
                  offsetof(BootSectorBytes, clusterHeapOffset) == kClusterHeapOffset &&
                  offsetof(BootSectorBytes, clusterCount) == kClusterCount &&
                  offsetof(BootSectorBytes, rootCluster) == kRootCluster &&
                  offsetof(BootSectorBytes, volumeFlags) == kVolumeFlags &&
                  offsetof(BootSectorBytes, bytesPerSectorShift) == kBytesPerSectorShift &&
                  offsetof(BootSectorBytes, sectorsPerClusterShift) == kSectorsPerClusterShift &&
                  offsetof(BootSectorBytes, numberOfFats) == kNumberOfFats &&
                  offsetof(BootSectorBytes, signature) == kSignature,
              "exFAT boot sector fields");

struct StreamEntryBytes {
    uint8_t type, flags, reserved1, nameLength, nameHash[2], reserved2[2], validLength[8];
    uint8_t reserved3[4], firstCluster[4], dataLength[8];
};
static_assert(sizeof(StreamEntryBytes) == kEntrySize, "exFAT stream entry");
static_assert(offsetof(StreamEntryBytes, flags) == kStreamFlags && offsetof(StreamEntryBytes, reserved1) == kStreamReserved1 &&
                  offsetof(StreamEntryBytes, nameLength) == kStreamNameLength &&
                  offsetof(StreamEntryBytes, reserved2) == kStreamReserved2 &&
                  offsetof(StreamEntryBytes, validLength) == kStreamValidLength &&
                  offsetof(StreamEntryBytes, reserved3) == kStreamReserved3 &&
                  offsetof(StreamEntryBytes, firstCluster) == kStreamFirstCluster &&
                  offsetof(StreamEntryBytes, dataLength) == kStreamDataLength &&
                  kTableFirstCluster == kStreamFirstCluster && kTableDataLength == kStreamDataLength,
              "exFAT stream entry fields");
}  // namespace exfatlayout
