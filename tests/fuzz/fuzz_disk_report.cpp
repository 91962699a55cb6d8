// tests/fuzz/fuzz_disk_report.cpp
// The disk report over one to four disks (DisksOf): the partition walk of each, the collection
// of their partitions and dynamic volumes, the analysers of every volume, and the report's text.
// Then what the enumeration makes of the same disks: the dynamic-disk test of each, the size,
// partition and lost-region reports, and the comparisons between the entries collected.
#include <string>

#include "engine/collection/EntryComparisons.h"
#include "engine/collection/EnumerationReports.h"
#include "engine/collection/PartitionCollection.h"
#include "engine/device/DynamicDiskDetect.h"
#include "engine/report/DiskReport.h"
#include "tests/fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<std::unique_ptr<CMemoryDevice>> disks = DisksOf(data, size);
    std::vector<IStorageDevice*> devices;
    std::vector<CollectionDisk> collectionDisks;
    std::vector<ReportedDisk> reported;
    for (auto& d : disks) {
        devices.push_back(d.get());
        DetectDynamicDisk(d.get(), d->GetTotalSectors(), d->GetBytesPerSector());
        CollectionDisk c;
        c.device = d.get();
        collectionDisks.push_back(c);
        reported.push_back(ReportedDisk{d.get(), d->GetTotalSectors(), d->GetBytesPerSector()});
    }
    FormatDiskReport(BuildDiskReport(devices));

    std::vector<PartitionEntry> entries;
    CCollectAllBasicPartitionandDynamicVolume().CollectAllBasicPartitionandDynamicVolume(collectionDisks, entries);
    BuildDiskReports(reported, entries);
    // Every other disk has a system number: slots are compared by number or by device.
    const DiskNumberOf numberOf = [&devices](IStorageDevice* disk) {
        for (size_t i = 0; i < devices.size(); i += 2) {
            if (devices[i] == disk)
                return int(i);
        }
        return -1;
    };
    for (const PartitionEntry& a : entries) {
        for (const PartitionEntry& b : entries)
            EntriesOverlap(a, b, numberOf);
        IsEntryOnDriveLetter(a, 'C', entries, numberOf);
    }
    return 0;
}
