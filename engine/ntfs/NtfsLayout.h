// engine/ntfs/NtfsLayout.h
// Offsets of the NTFS boot sector, the MFT file-record header and the attribute header.
#pragma once
#include <stddef.h>
#include <stdint.h>

namespace ntfslayout {
// Boot sector.
constexpr size_t kOemName = 3;              // 8 bytes, "NTFS    "
constexpr size_t kBytesPerSector = 11;      // u16
constexpr size_t kSectorsPerCluster = 13;   // u8
constexpr size_t kReservedSectors = 14;     // u16, 0
constexpr size_t kNumberOfFats = 16;        // u8, 0
constexpr size_t kRootEntries = 17;         // u16, 0
constexpr size_t kTotalSectors16 = 19;      // u16, 0
constexpr size_t kSectorsPerFat = 22;       // u16, 0
constexpr size_t kTotalSectors32 = 32;      // u32, 0
constexpr size_t kTotalSectors = 40;        // u64
constexpr size_t kMftCluster = 48;          // u64
constexpr size_t kMftMirrorCluster = 56;    // u64
constexpr size_t kClustersPerRecord = 64;   // i8
constexpr size_t kSignature = 510;          // 0x55 0xAA
constexpr size_t kBootSectorSize = 512;

// MFT file record header.
constexpr size_t kRecordMagic = 0;          // "FILE"
constexpr size_t kUsaOffset = 4;            // u16
constexpr size_t kUsaCount = 6;             // u16: sequence number + one per protected sector
constexpr size_t kFirstAttribute = 20;      // u16
constexpr size_t kRecordFlags = 22;         // u16, 0x1 in use, 0x2 directory
constexpr size_t kBytesInUse = 24;          // u32
constexpr size_t kBytesAllocated = 28;      // u32
constexpr size_t kBaseReference = 32;       // 48-bit record number + u16 sequence
constexpr size_t kRecordNumber = 44;        // u32
constexpr uint32_t kUsaStride = 512;        // every 512 bytes end in the sequence number

// Attribute header.
constexpr size_t kAttrType = 0;             // u32
constexpr size_t kAttrLength = 4;           // u32
constexpr size_t kAttrNonResident = 8;      // u8
constexpr size_t kAttrNameLength = 9;       // u8
constexpr size_t kAttrNameOffset = 10;      // u16
constexpr size_t kAttrFlags = 12;           // u16
constexpr size_t kAttrValueLength = 16;     // u32, resident
constexpr size_t kAttrValueOffset = 20;     // u16, resident
constexpr size_t kResidentHeaderSize = 24;
constexpr size_t kAttrFirstVcn = 16;        // u64, non-resident
constexpr size_t kAttrLastVcn = 24;         // u64
constexpr size_t kAttrRunsOffset = 32;      // u16
constexpr size_t kAttrAllocatedSize = 40;   // u64
constexpr size_t kAttrDataSize = 48;        // u64
constexpr size_t kAttrInitializedSize = 56; // u64
constexpr size_t kNonResidentHeaderSize = 64;

constexpr uint32_t kTypeStandardInformation = 0x10;
constexpr uint32_t kTypeFileName = 0x30;
constexpr uint32_t kTypeVolumeName = 0x60;
constexpr uint32_t kTypeData = 0x80;
constexpr uint32_t kTypeIndexAllocation = 0xA0;
constexpr uint32_t kTypeEnd = 0xFFFFFFFF;

// File-name attribute value fields, offsets in the attribute (resident value at 24).
constexpr size_t kFileNameFlags = 80;       // u32
constexpr size_t kFileNameLength = 88;      // u8, UTF-16 units
constexpr size_t kFileNameSpace = 89;       // u8
constexpr size_t kFileNameUnits = 90;
// Standard information: file attributes at 56 of the attribute (value offset 24 + 32).
constexpr size_t kStdInfoAttributes = 56;   // u32, 0x02 hidden, 0x04 system

// Attribute walks stop where a 1024-byte record leaves no room for another header.
constexpr size_t kAttributeWalkEnd = 1016;

// The fixed parts as fields of fixed width, every one a byte array (no padding, no field whose
// size depends on the build), checked against the offsets above at compile time.
struct BootSectorBytes {
    uint8_t jump[3], oemName[8];
    uint8_t bytesPerSector[2], sectorsPerCluster, reservedSectors[2], numberOfFats, rootEntries[2];
    uint8_t totalSectors16[2], media, sectorsPerFat[2], sectorsPerTrack[2], heads[2], hiddenSectors[4];
    uint8_t totalSectors32[4], reserved[4];
    uint8_t totalSectors[8], mftCluster[8], mftMirrorCluster[8];
    uint8_t clustersPerRecord, reserved2[3], clustersPerIndex, reserved3[3], serial[8], checksum[4];
    uint8_t bootCode[426], signature[2];
};
static_assert(sizeof(BootSectorBytes) == kBootSectorSize, "NTFS boot sector");
static_assert(offsetof(BootSectorBytes, oemName) == kOemName &&
                  offsetof(BootSectorBytes, bytesPerSector) == kBytesPerSector &&
                  offsetof(BootSectorBytes, sectorsPerCluster) == kSectorsPerCluster &&
                  offsetof(BootSectorBytes, reservedSectors) == kReservedSectors &&
                  offsetof(BootSectorBytes, numberOfFats) == kNumberOfFats &&
                  offsetof(BootSectorBytes, rootEntries) == kRootEntries &&
                  offsetof(BootSectorBytes, totalSectors16) == kTotalSectors16 &&
                  offsetof(BootSectorBytes, sectorsPerFat) == kSectorsPerFat &&
                  offsetof(BootSectorBytes, totalSectors32) == kTotalSectors32 &&
                  offsetof(BootSectorBytes, totalSectors) == kTotalSectors &&
                  offsetof(BootSectorBytes, mftCluster) == kMftCluster &&
                  offsetof(BootSectorBytes, mftMirrorCluster) == kMftMirrorCluster &&
                  offsetof(BootSectorBytes, clustersPerRecord) == kClustersPerRecord &&
                  offsetof(BootSectorBytes, signature) == kSignature,
              "NTFS boot sector fields");

struct RecordHeaderBytes {
    uint8_t magic[4], usaOffset[2], usaCount[2], logSequence[8], sequence[2], links[2];
    uint8_t firstAttribute[2], flags[2], bytesInUse[4], bytesAllocated[4], baseReference[8];
    uint8_t nextAttributeId[2], reserved[2], recordNumber[4];
};
static_assert(sizeof(RecordHeaderBytes) == 48, "MFT record header");
static_assert(offsetof(RecordHeaderBytes, usaOffset) == kUsaOffset && offsetof(RecordHeaderBytes, usaCount) == kUsaCount &&
                  offsetof(RecordHeaderBytes, firstAttribute) == kFirstAttribute &&
                  offsetof(RecordHeaderBytes, flags) == kRecordFlags &&
                  offsetof(RecordHeaderBytes, bytesInUse) == kBytesInUse &&
                  offsetof(RecordHeaderBytes, bytesAllocated) == kBytesAllocated &&
                  offsetof(RecordHeaderBytes, baseReference) == kBaseReference &&
                  offsetof(RecordHeaderBytes, recordNumber) == kRecordNumber,
              "MFT record header fields");

struct AttributeHeaderBytes {
    uint8_t type[4], length[4], nonResident, nameLength, nameOffset[2], flags[2], id[2];
    union {
        struct { uint8_t valueLength[4], valueOffset[2], indexed, padding; } resident;
        struct {
            uint8_t firstVcn[8], lastVcn[8], runsOffset[2], compressionUnit[2], padding[4];
            uint8_t allocatedSize[8], dataSize[8], initializedSize[8];
        } nonResident;
    } form;
};
static_assert(sizeof(AttributeHeaderBytes) == kNonResidentHeaderSize, "attribute header");
static_assert(offsetof(AttributeHeaderBytes, nonResident) == kAttrNonResident &&
                  offsetof(AttributeHeaderBytes, nameLength) == kAttrNameLength &&
                  offsetof(AttributeHeaderBytes, nameOffset) == kAttrNameOffset &&
                  offsetof(AttributeHeaderBytes, flags) == kAttrFlags &&
                  offsetof(AttributeHeaderBytes, form) + sizeof(AttributeHeaderBytes::form.resident) == kResidentHeaderSize &&
                  offsetof(AttributeHeaderBytes, form.resident.valueLength) == kAttrValueLength &&
                  offsetof(AttributeHeaderBytes, form.resident.valueOffset) == kAttrValueOffset &&
                  offsetof(AttributeHeaderBytes, form.nonResident.firstVcn) == kAttrFirstVcn &&
                  offsetof(AttributeHeaderBytes, form.nonResident.lastVcn) == kAttrLastVcn &&
                  offsetof(AttributeHeaderBytes, form.nonResident.runsOffset) == kAttrRunsOffset &&
                  offsetof(AttributeHeaderBytes, form.nonResident.allocatedSize) == kAttrAllocatedSize &&
                  offsetof(AttributeHeaderBytes, form.nonResident.dataSize) == kAttrDataSize &&
                  offsetof(AttributeHeaderBytes, form.nonResident.initializedSize) == kAttrInitializedSize,
              "attribute header fields");
}  // namespace ntfslayout
