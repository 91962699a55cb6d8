// tests/fuzz/fuzz_partitions.cpp
// MBR with its EBR chain, GPT, and the collection of a disk's partitions and volumes, with the
// analysers probing every partition found. The first byte picks 512- or 4096-byte sectors.
#include "engine/collection/PartitionCollection.h"
#include "engine/partition/PartitionTable.h"
#include "tests/fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const uint32_t sectorSize = (data[0] & 1) ? 4096 : 512;
    CMemoryDevice disk = DiskOf(data + 1, size - 1, sectorSize);
    std::vector<PartitionInfo> records;
    PartitionTableReport report;
    CPartitionTableAnalyze::Analyze(disk, records, ProbeWithAnalyzers, &report);
    CollectionDisk d;
    d.device = &disk;
    std::vector<PartitionEntry> entries;
    CCollectAllBasicPartitionandDynamicVolume().CollectAllBasicPartitionandDynamicVolume({d}, entries);
    std::vector<unsigned char> sector(sectorSize);
    for (PartitionEntry& e : entries) {
        if (e.device && e.device->GetTotalSectors() > 0)
            e.device->ReadSectors(sector.data(), e.device->GetTotalSectors() - 1, 1);
    }
    return 0;
}
