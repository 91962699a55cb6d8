// engine/fat/FatLayout.h
// Offsets of the FAT boot sector (BPB) and of the 32-byte short directory entry.
#pragma once
#include <stddef.h>
#include <stdint.h>

namespace fatlayout {
// Boot sector, first sector of the volume.
constexpr size_t kBytesPerSector = 11;    // u16
constexpr size_t kSectorsPerCluster = 13; // u8
constexpr size_t kReservedSectors = 14;   // u16, start of the first FAT
constexpr size_t kNumberOfFats = 16;      // u8
constexpr size_t kRootEntries = 17;       // u16, FAT12/16
constexpr size_t kTotalSectors16 = 19;    // u16, FAT12/16
constexpr size_t kSectorsPerFat16 = 22;   // u16, FAT12/16
constexpr size_t kTotalSectors32 = 32;    // u32
constexpr size_t kSectorsPerFat32 = 36;   // u32, FAT32
constexpr size_t kRootCluster = 44;       // u32, FAT32
constexpr size_t kTypeText16 = 54;        // 8 bytes, "FAT12   " / "FAT16   "
constexpr size_t kTypeText32 = 82;        // 8 bytes, "FAT32   "
constexpr size_t kSignature = 510;        // 0x55 0xAA
constexpr size_t kBootSectorSize = 512;

// Short directory entry.
constexpr size_t kEntrySize = 32;
constexpr size_t kName = 0;               // 8 bytes; 0xE5 deleted, 0 end
constexpr size_t kExtension = 8;          // 3 bytes
constexpr size_t kAttributes = 11;        // u8
constexpr size_t kCreationTime = 14;      // u16
constexpr size_t kCreationDate = 16;      // u16
constexpr size_t kAccessDate = 18;        // u16
constexpr size_t kClusterHigh = 20;       // u16
constexpr size_t kWriteTime = 22;         // u16
constexpr size_t kWriteDate = 24;         // u16
constexpr size_t kClusterLow = 26;        // u16
constexpr size_t kFileSize = 28;          // u32

constexpr uint8_t kAttrHidden = 0x02;
constexpr uint8_t kAttrVolumeLabel = 0x08;
constexpr uint8_t kAttrDirectory = 0x10;
constexpr uint8_t kAttrLongName = 0x0F;

// The same layouts as fields of fixed width, every one a byte array (no padding, no field whose
// size depends on the build), checked against the offsets above at compile time.
struct BootSectorBytes {
    uint8_t jump[3], oemName[8];
    uint8_t bytesPerSector[2], sectorsPerCluster, reservedSectors[2], numberOfFats, rootEntries[2];
    uint8_t totalSectors16[2], media, sectorsPerFat16[2], sectorsPerTrack[2], heads[2], hiddenSectors[4];
    uint8_t totalSectors32[4];
    uint8_t sectorsPerFat32[4], extFlags[2], version[2], rootCluster[4], fsInfo[2], backupBoot[2];
    uint8_t reserved[12], drive32, reserved32, bootSignature32, serial32[4], label32[11], typeText32[8];
    uint8_t bootCode[420], signature[2];
};
static_assert(sizeof(BootSectorBytes) == kBootSectorSize, "FAT boot sector");
static_assert(offsetof(BootSectorBytes, bytesPerSector) == kBytesPerSector &&
                  offsetof(BootSectorBytes, sectorsPerCluster) == kSectorsPerCluster &&
                  offsetof(BootSectorBytes, reservedSectors) == kReservedSectors &&
                  offsetof(BootSectorBytes, numberOfFats) == kNumberOfFats &&
                  offsetof(BootSectorBytes, rootEntries) == kRootEntries &&
                  offsetof(BootSectorBytes, totalSectors16) == kTotalSectors16 &&
                  offsetof(BootSectorBytes, sectorsPerFat16) == kSectorsPerFat16 &&
                  offsetof(BootSectorBytes, totalSectors32) == kTotalSectors32 &&
                  offsetof(BootSectorBytes, sectorsPerFat32) == kSectorsPerFat32 &&
                  offsetof(BootSectorBytes, rootCluster) == kRootCluster &&
                  offsetof(BootSectorBytes, typeText32) == kTypeText32 &&
                  offsetof(BootSectorBytes, signature) == kSignature,
              "FAT boot sector fields");
// FAT12/16 keep their extended fields where FAT32 keeps sectorsPerFat32 and what follows.
static_assert(offsetof(BootSectorBytes, sectorsPerFat32) + 18 == kTypeText16, "FAT12/16 type text");

struct DirEntryBytes {
    uint8_t name[8], extension[3], attributes, reserved, creationTenths;
    uint8_t creationTime[2], creationDate[2], accessDate[2], clusterHigh[2];
    uint8_t writeTime[2], writeDate[2], clusterLow[2], fileSize[4];
};
static_assert(sizeof(DirEntryBytes) == kEntrySize, "FAT directory entry");
static_assert(offsetof(DirEntryBytes, extension) == kExtension && offsetof(DirEntryBytes, attributes) == kAttributes &&
                  offsetof(DirEntryBytes, creationTime) == kCreationTime &&
                  offsetof(DirEntryBytes, creationDate) == kCreationDate &&
                  offsetof(DirEntryBytes, accessDate) == kAccessDate &&
                  offsetof(DirEntryBytes, clusterHigh) == kClusterHigh &&
                  offsetof(DirEntryBytes, writeTime) == kWriteTime && offsetof(DirEntryBytes, writeDate) == kWriteDate &&
                  offsetof(DirEntryBytes, clusterLow) == kClusterLow && offsetof(DirEntryBytes, fileSize) == kFileSize,
              "FAT directory entry fields");
}  // namespace fatlayout
