// tests/fuzz/fuzz_disk_report.cpp
// The disk report over one to four disks (DisksOf): the partition walk of each, the collection
// of their partitions and dynamic volumes, the analysers of every volume, and the report's text.
#include "engine/report/DiskReport.h"
#include "tests/fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<std::unique_ptr<CMemoryDevice>> disks = DisksOf(data, size);
    std::vector<IStorageDevice*> devices;
    for (auto& d : disks)
        devices.push_back(d.get());
    FormatDiskReport(BuildDiskReport(devices));
    return 0;
}
