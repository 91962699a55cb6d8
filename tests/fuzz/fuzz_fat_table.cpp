// tests/fuzz/fuzz_fat_table.cpp
// A FAT16 or FAT32 allocation table read whole, its integrity test, and chains followed through
// it. Byte 0 picks the width and 512- or 4096-byte sectors; the rest is the table.
#include <memory>

#include "engine/fat/FatTable.h"
#include "tests/fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const uint32_t bps = (data[0] & 2) ? 4096 : 512;
    CMemoryDevice disk = DiskOf(data + 1, size - 1, bps);
    const uint32_t sectors = uint32_t(disk.GetTotalSectors());
    std::unique_ptr<IRealFATTable> table;
    if (data[0] & 1)
        table.reset(new CFAT32Table(&disk, 0, sectors));
    else
        table.reset(new CFAT16Table(&disk, 0, sectors));
    const bool sound = table->LoadTable() != 0;
    // Every chain from its first cluster, at most as many steps as the table has entries.
    const uint32_t count = table->GetEntryCount();
    for (uint32_t start = 2; start < count && start < 64; ++start) {
        uint32_t c = start;
        for (uint32_t steps = 0; steps < count && c >= 2 && c < count; ++steps)
            c = table->GetNextCluster(c);
    }
    table->GetNextCluster(count);
    table->GetNextCluster(~uint32_t(0));
    (void)sound;
    return 0;
}
