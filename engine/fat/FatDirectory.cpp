// engine/fat/FatDirectory.cpp
#include "engine/fat/FatDirectory.h"

#include <vector>

#include "engine/device/LittleEndian.h"
#include "engine/device/StorageDevice.h"
#include "engine/fat/FatBootSector.h"
#include "engine/fat/FatDirEntry.h"
#include "engine/fat/FatLayout.h"
#include "engine/volume/Volume.h"

namespace {

enum ScanResult { kNotFound, kFound, kReadFailed };

// Reads count sectors into bytes (resized); false on a failed read or refused memory.
bool ReadSectorsInto(IStorageDevice* device, uint64_t first, uint32_t count, uint32_t bytesPerSector,
                     std::vector<unsigned char>& bytes)
{
    if (!device)
        return false;
    bytes.assign(size_t(count) * bytesPerSector, 0);
    return device->ReadSectors(bytes.data(), first, count) != 0;
}

// One group of sectorsPerCluster sectors. An implausible entry ends the group: what follows it
// is not a directory we can trust.
ScanResult ScanGroup(const FatDirectoryReader& reader, uint64_t first, uint32_t sectorsPerCluster, char* label)
{
    std::vector<unsigned char> bytes;
    if (!ReadSectorsInto(reader.GetDevice(), first, sectorsPerCluster, reader.GetBytesPerSector(), bytes))
        return kReadFailed;
    for (size_t offset = 0; offset + fatlayout::kEntrySize <= bytes.size(); offset += fatlayout::kEntrySize) {
        const unsigned char* raw = bytes.data() + offset;
        FatDirEntry entry(raw);
        if (!entry.IsValid(false))
            return kNotFound;
        if (!entry.IsDeleted() && entry.IsVolumeLabel()) {
            if (raw[0] == 0)
                return kNotFound;
            FormatVolumeLabel(raw, label, kFatLabelSize);
            return kFound;
        }
    }
    return kNotFound;
}

int ReadFixedRootLabel(const FatDirectoryReader& reader, uint64_t volumeStart, const FatBootSector& boot, char* label)
{
    uint32_t sectorsPerCluster = boot.GetSectorsPerCluster();
    uint32_t rootSectors = boot.GetRootEntries() * 32 / reader.GetBytesPerSector();
    if (rootSectors == 0 || sectorsPerCluster == 0)
        return 0;
    uint32_t groups = (rootSectors - 1) / sectorsPerCluster + 1;
    uint64_t rootStart = volumeStart + boot.GetReservedSectors() + uint64_t(boot.GetNumberOfFats()) * boot.GetSectorsPerFat();
    for (uint32_t i = 0; i < groups; ++i) {
        ScanResult result = ScanGroup(reader, rootStart + uint64_t(i) * sectorsPerCluster, sectorsPerCluster, label);
        if (result == kFound)
            return 1;
        if (result == kReadFailed)
            return 0;
    }
    return 0;
}

// FAT32: the root is a cluster chain. The walk is bounded by the clusters the volume can hold,
// so a chain that loops back on itself ends with "not found".
int ReadRootChainLabel(const FatDirectoryReader& reader, uint64_t volumeStart, const FatBootSector& boot, char* label)
{
    const uint32_t sectorsPerCluster = boot.GetSectorsPerCluster();
    const uint32_t bytesPerSector = reader.GetBytesPerSector();
    const uint64_t entriesPerBlock = uint64_t(sectorsPerCluster) * bytesPerSector / 4;
    if (entriesPerBlock == 0)
        return 0;
    const uint64_t fatStart = volumeStart + boot.GetReservedSectors();
    // Clusters 2 to count + 1 lie inside the volume; a root cluster or a chain entry beyond
    // them points outside it, at bytes that are not this directory.
    const uint64_t clusterEnd = uint64_t(boot.GetClusterCount()) + 2;

    std::vector<unsigned char> block;
    uint64_t cachedBlock = ~uint64_t(0);
    uint64_t cluster = boot.GetRootCluster();
    for (uint64_t step = 0; IsValidFatCluster(cluster) && cluster < clusterEnd && step < clusterEnd; ++step) {
        ScanResult result = ScanGroup(reader, FatClusterToSector(reader, volumeStart, boot, cluster), sectorsPerCluster, label);
        if (result == kFound)
            return 1;
        if (result == kReadFailed)
            return 0;
        uint64_t blockNumber = cluster / entriesPerBlock;
        if (blockNumber != cachedBlock) {
            if (!ReadSectorsInto(reader.GetDevice(), fatStart + blockNumber * sectorsPerCluster, sectorsPerCluster,
                                 bytesPerSector, block))
                return 0;
            cachedBlock = blockNumber;
        }
        // The top four bits of a FAT32 entry are reserved and may be set on a sound volume.
        cluster = GetU32(block.data() + size_t(cluster % entriesPerBlock) * 4) & 0x0FFFFFFF;
    }
    return 0;
}

}  // namespace

FatDirectoryReader::FatDirectoryReader(IStorageDevice* device)
    : m_device(device), m_bytesPerSector(device ? device->GetBytesPerSector() : 512)
{
    if (m_bytesPerSector == 0)
        m_bytesPerSector = 512;
}

uint64_t FatClusterToSector(const FatDirectoryReader& reader, uint64_t volumeStart, const FatBootSector& boot,
                            uint64_t cluster)
{
    uint32_t type = boot.GetType();
    if (type == kFsNone || cluster < 2)
        return ~uint64_t(0);
    uint64_t sector = volumeStart + boot.GetReservedSectors() + uint64_t(boot.GetNumberOfFats()) * boot.GetSectorsPerFat();
    if (type != kFsFat32)
        sector += uint64_t(boot.GetRootEntries()) * 32 / reader.GetBytesPerSector();
    return sector + (cluster - 2) * boot.GetSectorsPerCluster();
}

int ReadFatVolumeLabel(const FatDirectoryReader& reader, uint64_t volumeStart, const FatBootSector& boot, char* label)
{
    if (!label)
        return 0;
    switch (boot.GetType()) {
    case kFsFat12:
    case kFsFat16:
        return ReadFixedRootLabel(reader, volumeStart, boot, label);
    case kFsFat32:
        return ReadRootChainLabel(reader, volumeStart, boot, label);
    default:
        return 0;
    }
}
