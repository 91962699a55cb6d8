// engine/collection/PartitionCollection.h
// One list of everything on the machine's disks that can hold files: basic partitions, dynamic
// volumes, and unallocated regions large enough to hide a lost partition. The assembly here is
// free of Windows: the caller supplies the opened disks, their display lines and their letters.
#pragma once
#include <stdint.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/device/StorageDevice.h"
#include "engine/ldm/LdmDatabase.h"
#include "engine/partition/AnalyzerProbe.h"
#include "engine/partition/PartitionTable.h"

const uint32_t kEntrySlotCount = 32;
const uint32_t kEntryTextSize = 512;
const uint32_t kBusTypeUsb = 7;

struct EntrySlot {
    uint64_t start = 0;
    uint64_t length = 0;
    IStorageDevice* disk = nullptr;  // null: the slot is free
};

enum PartitionEntryKind : uint32_t { kEntryBasic = 0, kEntryDynamic = 1 };

// One partition, dynamic volume or lost region; PartitionEntryRecord.h gives its fixed
// 1277-byte form for the keyed record stream.
struct PartitionEntry {
    uint32_t source = 0;  // 0: built from physical disks
    std::unique_ptr<IStorageDevice> device;
    uint32_t kind = kEntryBasic;
    uint32_t fileSystem = 9;
    char driveLetter = 0;
    std::string name;  // volume label or lost-region name
    bool usb = false;
    EntrySlot slots[kEntrySlotCount];
    std::string text;  // the disks it lies on, one line each
    std::string imagePath;  // an image entry's image file (source other than 0)
};

struct CollectionDisk {
    IStorageDevice* device = nullptr;  // not owned
    uint32_t busType = 0;
    std::string line;  // FormatDiskLine of the disk's description
};

// "vendor  product  bus", or "product  bus" when the vendor is empty or starts with '(';
// cut to 49 characters.
std::string FormatDiskLine(const std::string& vendor, const std::string& product, const std::string& busName);

class CCollectAllBasicPartitionandDynamicVolume {
public:
    // Fills drive letters of a disk's records (the mount-point manager on Windows); may be empty.
    using DriveLetterQuery = std::function<void(const CollectionDisk& disk, std::vector<PartitionInfo>& records)>;

    // Basic partitions, then dynamic volumes, then sorted; nothing for an empty disk list.
    void CollectAllBasicPartitionandDynamicVolume(const std::vector<CollectionDisk>& disks, std::vector<PartitionEntry>& out);
    void CollectBasicPartitions(const std::vector<CollectionDisk>& disks, std::vector<PartitionEntry>& out);
    void CollectDynamicVolumes(const std::vector<CollectionDisk>& disks, std::vector<PartitionEntry>& out);

    // The letter Windows gave a dynamic volume (its DOS device, then its GUID path); 0 keeps
    // the database's drive hint. May be empty.
    using VolumeLetterQuery = std::function<char(const DynamicVolumeEntry& volume)>;

    // Stable: by drive letter ascending, then the entries without one in their collected order.
    static void sort(std::vector<PartitionEntry>& entries);

    FileSystemProbe probe = ProbeWithAnalyzers;
    DriveLetterQuery driveLetters;
    VolumeLetterQuery volumeLetters;
    // Where the collection's timings go (the debugger's output on Windows); may be empty.
    std::function<void(const char* line)> trace;
};

struct DiskRegion {
    uint64_t start = 0;
    uint64_t length = 0;
};
// Gaps of more than kLostRegionMinSectors between the disk's used regions, and after the last.
const uint64_t kLostRegionMinSectors = 204800;
std::vector<DiskRegion> FindLostRegions(uint64_t totalSectors, const std::vector<DiskRegion>& used);
// The used regions of one disk, from the slots of the collected entries.
std::vector<DiskRegion> RegionsOnDisk(const std::vector<PartitionEntry>& entries, IStorageDevice* disk);
