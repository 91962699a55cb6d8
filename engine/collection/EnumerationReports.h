// engine/collection/EnumerationReports.h
// What the machine-wide enumeration hands on besides its entries: the mounted volumes and the
// free-space text of an entry, the per-disk size and partition reports, the lost regions, and
// the disk inventory for the usage report. Free of Windows: the enumeration fills the inputs.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/collection/PartitionCollection.h"

// One disk extent of a mounted volume.
struct MountedVolume {
    uint32_t diskNumber = 0;
    uint64_t start = 0;   // in the volume's sectors
    uint64_t length = 0;
    char driveLetter = 0;
    uint32_t bytesPerSector = 512;
    uint64_t totalBytes = 0;
    uint64_t freeBytes = 0;  // free to the caller
    std::string volumeName;  // the volume GUID path without its trailing backslash
    uint32_t fileSystem = 9;
};

// "NTFS" 3, "FAT32" 2, "FAT" 1, anything else 9.
uint32_t MountedFileSystemCode(const char* name);

// One record per disk extent of a volume's extent list as the system answers it (a u32 count,
// 4 bytes of padding, then 24-byte extents: u32 disk number, padding, i64 starting offset and
// i64 length in bytes), each a copy of `volume` with its disk, start and length in the
// volume's sectors. Only the extents inside `bytes` are read; returns how many were added.
int AppendMountedExtents(const unsigned char* extents, size_t bytes, const MountedVolume& volume,
                         std::vector<MountedVolume>& out);

// The free-space text of an entry: the first used slot that lies where a mounted volume lies
// (same disk number, same start) gives that volume's sizes, as the drive free-space text
// writes them, its used percent and its letter; without one, the slots' total size alone.
// Returns 0.
int FormatEntryFreeSpace(const EntrySlot* slots, const std::vector<MountedVolume>& mounted,
                         const std::function<int(IStorageDevice* disk)>& diskNumberOf, const std::string& freeOf,
                         std::string& text, float& usedPercent, char& driveLetter);

// A disk as the reports see it.
struct ReportedDisk {
    IStorageDevice* device = nullptr;
    uint64_t totalSectors = 0;
    uint32_t bytesPerSector = 512;
};

struct DiskReports {
    std::string sizes;       // "Disk[n]:size[MiB]M;" per disk
    std::string partitions;  // "Disk[n]:partition:[m]size[MiB]M;" per disk and entry on it
    std::vector<std::pair<IStorageDevice*, DiskRegion>> lost;  // in disk order
};
DiskReports BuildDiskReports(const std::vector<ReportedDisk>& disks, const std::vector<PartitionEntry>& entries);

// The name of the n-th lost region (from 1): "<lost text>-<n>".
std::string LostRegionName(const std::string& lostText, size_t number);

// The usage report's description of a disk (536 bytes): its product text as UTF-16 in 256
// characters, 8 zero bytes, u64 total sectors, u32 bytes per sector, u32 bus type.
const size_t kDiskInventoryEntrySize = 536;
void PackDiskInventoryEntry(const char* product, uint64_t totalSectors, uint32_t bytesPerSector, uint32_t busType,
                            unsigned char* out);

// Where the enumeration reports, supplied by the program (the usage-report libraries); the
// engine itself knows nothing of them.
class IEnumerationReportSink {
public:
    virtual ~IEnumerationReportSink() {}
    // The packed inventory of the disks that opened, kDiskInventoryEntrySize bytes each.
    virtual void DiskInventory(const unsigned char* entries, int count) = 0;
    // Code 8197 with the size report, 8196 with the partition report.
    virtual void Text(int code, const char* text) = 0;
};
const int kSizeReportCode = 8197;
const int kPartitionReportCode = 8196;
