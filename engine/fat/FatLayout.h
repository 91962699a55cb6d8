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
}  // namespace fatlayout
