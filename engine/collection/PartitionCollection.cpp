// engine/collection/PartitionCollection.cpp
#include "engine/collection/PartitionCollection.h"

#include <stdint.h>

#include <algorithm>
#include <map>

#include "engine/collection/ElapsedTimeTrace.h"
#include "engine/device/BasicPartitionDevice.h"
#include "engine/ldm/LdmDatabase.h"

std::string FormatDiskLine(const std::string& vendor, const std::string& product, const std::string& busName)
{
    const bool noVendor = vendor.empty() || vendor[0] == '(';
    std::string line = noVendor ? product + "  " + busName : vendor + "  " + product + "  " + busName;
    if (line.size() > 49)
        line.resize(49);
    return line;
}

void CCollectAllBasicPartitionandDynamicVolume::CollectAllBasicPartitionandDynamicVolume(
    const std::vector<CollectionDisk>& disks, std::vector<PartitionEntry>& out)
{
    if (disks.empty())
        return;
    ElapsedTimeTrace whole("CCollectAllBasicPartitionandDynamicVolume::CollectAllBasicPartitionandDynamicVolume", trace);
    CollectBasicPartitions(disks, out);
    CollectDynamicVolumes(disks, out);
    whole.Report();
    ElapsedTimeTrace sorting("CCollectAllBasicPartitionandDynamicVolume::sort", trace);
    sort(out);
    sorting.Report();
}

void CCollectAllBasicPartitionandDynamicVolume::CollectBasicPartitions(const std::vector<CollectionDisk>& disks,
                                                                       std::vector<PartitionEntry>& out)
{
    for (const CollectionDisk& disk : disks) {
        if (!disk.device)
            continue;
        std::vector<PartitionInfo> records;
        if (CPartitionTableAnalyze::Analyze(*disk.device, records, probe) == 0)
            continue;
        if (driveLetters)
            driveLetters(disk, records);
        for (const PartitionInfo& r : records) {
            PartitionEntry e;
            e.device.reset(new CBasicPartitionDevice(disk.device, r.startSector, r.lengthSectors));
            e.kind = kEntryBasic;
            e.fileSystem = r.fileSystem;
            e.name = r.label;
            e.driveLetter = r.driveLetter;
            e.slots[0] = EntrySlot{r.startSector, r.lengthSectors, disk.device};
            e.usb = disk.busType == kBusTypeUsb;
            e.text = disk.line;
            out.push_back(std::move(e));
        }
    }
}

void CCollectAllBasicPartitionandDynamicVolume::CollectDynamicVolumes(const std::vector<CollectionDisk>& disks,
                                                                      std::vector<PartitionEntry>& out)
{
    std::vector<IStorageDevice*> devices;
    for (const CollectionDisk& d : disks)
        devices.push_back(d.device);
    std::vector<DynamicVolumeEntry> volumes;
    LdmDatabase().Collect(devices, volumes);
    for (DynamicVolumeEntry& v : volumes) {
        if (!v.device)
            continue;
        PartitionEntry e;
        e.kind = kEntryDynamic;
        e.fileSystem = v.fileSystem;
        e.name = v.label;
        // The volume's own file system, read through the assembled volume: what the analysers
        // find replaces the partition type's guess, and nothing found is kFsNone.
        if (probe) {
            const FileSystemGuess guess = probe(*v.device, 0, v.device->GetTotalSectors());
            e.fileSystem = guess.code;
            e.name = guess.label;
        }
        e.driveLetter = v.driveLetter;
        // A volume with a member on a disk outside the group gets no letter.
        if (v.allMembersDynamic && volumeLetters) {
            if (const char letter = volumeLetters(v))
                e.driveLetter = letter;
        }
        std::vector<const MemberExtent*> members;
        v.device->GetMembers(members);
        size_t slot = 0;
        for (const MemberExtent* m : members) {
            if (!m->device)
                continue;
            if (slot < kEntrySlotCount)
                e.slots[slot++] = EntrySlot{m->start, m->length, m->device};
            std::string line;
            for (const CollectionDisk& d : disks) {
                if (d.device == m->device) {
                    line = d.line;
                    break;
                }
            }
            // Lines that would not fit the text are left out.
            if (e.text.size() + line.size() + 1 <= kEntryTextSize - 1)
                e.text += line + "\n";
        }
        if (e.text.size() >= 3)
            e.text.pop_back();
        e.device = std::move(v.device);
        out.push_back(std::move(e));
    }
}

void CCollectAllBasicPartitionandDynamicVolume::sort(std::vector<PartitionEntry>& entries)
{
    std::stable_sort(entries.begin(), entries.end(), [](const PartitionEntry& a, const PartitionEntry& b) {
        return static_cast<signed char>(a.driveLetter) < static_cast<signed char>(b.driveLetter);
    });
    std::stable_partition(entries.begin(), entries.end(), [](const PartitionEntry& e) { return e.driveLetter != 0; });
}

std::vector<DiskRegion> RegionsOnDisk(const std::vector<PartitionEntry>& entries, IStorageDevice* disk)
{
    std::vector<DiskRegion> regions;
    for (const PartitionEntry& e : entries) {
        if (e.source != 0)
            continue;
        for (const EntrySlot& s : e.slots) {
            if (s.start == 0 && s.length == 0)
                break;
            if (s.disk == disk)
                regions.push_back(DiskRegion{s.start, s.length});
        }
    }
    return regions;
}

std::vector<DiskRegion> FindLostRegions(uint64_t totalSectors, const std::vector<DiskRegion>& used)
{
    // Regions sharing a start (one table entry listed with two sizes) keep the longer one.
    std::map<uint64_t, uint64_t> byStart;
    for (const DiskRegion& r : used) {
        uint64_t& length = byStart[r.start];
        length = std::max(length, r.length);
    }
    std::vector<DiskRegion> lost;
    uint64_t end = 0;
    for (const auto& [start, length] : byStart) {
        // A gap ends at the disk's end, whatever a region beyond it claims.
        const uint64_t gapEnd = std::min(start, totalSectors);
        if (gapEnd > end && gapEnd - end > kLostRegionMinSectors)
            lost.push_back(DiskRegion{end, gapEnd - end});
        // A region inside an earlier one must not pull the end back, and one whose length
        // passes the largest sector number runs to it rather than wrapping round to the start.
        const uint64_t regionEnd = length > UINT64_MAX - start ? UINT64_MAX : start + length;
        end = std::max(end, regionEnd);
    }
    if (totalSectors > end && totalSectors - end > kLostRegionMinSectors)
        lost.push_back(DiskRegion{end, totalSectors - end});
    return lost;
}
