// tests/fuzz/fuzz_exfat_scanner.cpp
// The exFAT raw-sector scanner: every sector read as directory entries, gathered into candidate
// root directories. Byte 0 picks the sector size (512 to 4096) and the largest cluster shift.
#include "engine/exfat/ExFatRootScanner.h"
#include "tests/fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const uint32_t shift = 9 + (data[0] & 3);
    const uint32_t clusterShift = (data[0] >> 2) % 26;
    CMemoryDevice disk = DiskOf(data + 1, size - 1, 1u << shift);
    ExFatRootScanner scanner(shift, disk.GetTotalSectors() + (data[0] >> 7) * 1000, clusterShift);
    scanner.ScanRegion(&disk, 0, disk.GetTotalSectors() + 1);
    scanner.Flush();
    for (const auto& [position, candidate] : scanner.Candidates()) {
        candidate.IsComplete();
        scanner.Find(position);
    }
    return 0;
}
