// engine/collection/EnumerationReports.cpp
#include "engine/collection/EnumerationReports.h"

#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <map>

#include "engine/DriveFreeSpace.h"
#include "engine/device/LittleEndian.h"

uint32_t MountedFileSystemCode(const char* name)
{
    if (!name)
        return 9;
    if (strcmp(name, "NTFS") == 0)
        return 3;
    if (strcmp(name, "FAT32") == 0)
        return 2;
    if (strcmp(name, "FAT") == 0)
        return 1;
    return 9;
}

int AppendMountedExtents(const unsigned char* extents, size_t bytes, const MountedVolume& volume,
                         std::vector<MountedVolume>& out)
{
    const size_t kHeader = 8, kExtent = 24;
    if (!extents || bytes < kHeader || volume.bytesPerSector == 0)
        return 0;
    const size_t count = std::min<size_t>(GetU32(extents), (bytes - kHeader) / kExtent);
    for (size_t i = 0; i < count; ++i) {
        const unsigned char* e = extents + kHeader + i * kExtent;
        MountedVolume m = volume;
        m.diskNumber = GetU32(e);
        m.start = GetU64(e + 8) / volume.bytesPerSector;
        m.length = GetU64(e + 16) / volume.bytesPerSector;
        out.push_back(m);
    }
    return int(count);
}

int FormatEntryFreeSpace(const EntrySlot* slots, const std::vector<MountedVolume>& mounted,
                         const std::function<int(IStorageDevice* disk)>& diskNumberOf, const std::string& freeOf,
                         std::string& text, float& usedPercent, char& driveLetter)
{
    uint64_t total = 0;
    for (uint32_t i = 0; i < kEntrySlotCount; ++i) {
        const EntrySlot& s = slots[i];
        if (!s.disk || (s.start == 0 && s.length == 0))
            break;
        const int number = diskNumberOf ? diskNumberOf(s.disk) : -1;
        for (const MountedVolume& v : mounted) {
            if (number < 0 || v.diskNumber != uint32_t(number) || v.start != s.start)
                continue;
            if (v.driveLetter)
                driveLetter = v.driveLetter;
            if (BuildDriveFreeSpaceText(v.totalBytes, v.freeBytes, freeOf, text, usedPercent) == 0)
                return 0;
            break;  // a volume of 100 bytes or less tells nothing: sized by the slots
        }
        total += s.length * s.disk->GetBytesPerSector();
    }
    text = DriveSizeText(total, total);
    return 0;
}

DiskReports BuildDiskReports(const std::vector<ReportedDisk>& disks, const std::vector<PartitionEntry>& entries)
{
    DiskReports reports;
    char line[128];
    for (size_t n = 0; n < disks.size(); ++n) {
        const ReportedDisk& d = disks[n];
        snprintf(line, sizeof(line), "Disk[%d]:size[%llu]M;", int(n),
                 static_cast<unsigned long long>(d.totalSectors * d.bytesPerSector / 1048576));
        reports.sizes += line;
        for (size_t m = 0; m < entries.size(); ++m) {
            const PartitionEntry& e = entries[m];
            if (e.source != 0)
                continue;
            uint64_t sum = 0;
            for (const EntrySlot& s : e.slots) {
                if (s.start == 0 && s.length == 0)
                    break;
                if (s.disk == d.device)
                    sum += s.length;
            }
            if (sum == 0)
                continue;
            snprintf(line, sizeof(line), "Disk[%d]:partition:[%d]size[%llu]M;", int(n), int(m),
                     static_cast<unsigned long long>(sum * d.bytesPerSector / 1048576));
            reports.partitions += line;
        }
        for (const DiskRegion& r : FindLostRegions(d.totalSectors, RegionsOnDisk(entries, d.device)))
            reports.lost.push_back({d.device, r});
    }
    return reports;
}

std::string LostRegionName(const std::string& lostText, size_t number)
{
    return lostText + "-" + std::to_string(number);
}

void PackDiskInventoryEntry(const DiskInventoryEntry& entry, unsigned char* out)
{
    const std::string& product = entry.product;
    const uint64_t totalSectors = entry.totalSectors;
    const uint32_t bytesPerSector = entry.bytesPerSector;
    const uint32_t busType = entry.busType;
    memset(out, 0, kDiskInventoryEntrySize);
    // The storage stack's texts are ASCII; each byte becomes one UTF-16 unit.
    for (size_t i = 0; i < product.size() && product[i] && i < 255; ++i)
        out[2 * i] = static_cast<unsigned char>(product[i]);
    PutU64(out + 520, totalSectors);
    PutU32(out + 528, bytesPerSector);
    PutU32(out + 532, busType);
}
