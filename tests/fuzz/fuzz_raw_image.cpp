// tests/fuzz/fuzz_raw_image.cpp
// A raw disk image file read through the raw image device: the input is the file (byte 0 also
// names the sector size, as a user would), its partition table walked through the device, and
// reads of every size, the last ones past the file's end.
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "engine/device/LittleEndian.h"
#include "engine/device/RawImageDevice.h"
#include "engine/partition/AnalyzerProbe.h"
#include "engine/partition/PartitionTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    char path[] = "/tmp/fuzz_raw_image.XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0)
        return 0;
    const bool written = write(fd, data, size) == ssize_t(size);
    close(fd);
    if (written) {
        CRawImageDevice disk(path, SaneRawImageSectorSize(size ? uint32_t(data[0]) << 9 : 0));
        std::vector<PartitionInfo> partitions;
        CPartitionTableAnalyze::Analyze(disk, partitions, ProbeWithAnalyzers);
        const uint64_t total = disk.GetTotalSectors();
        const uint32_t bytes = disk.GetBytesPerSector();
        for (size_t at = 1; at + 4 <= size && at < 64; at += 4) {
            const uint64_t first = GetU16(data + at) % (total + 2);
            const uint64_t count = GetU16(data + at + 2) % 8;
            std::vector<unsigned char> buffer(size_t(count ? count : 1) * bytes);
            disk.ReadSectors(buffer.data(), first, count);
        }
        disk.Close();
        std::vector<unsigned char> sector(bytes);
        if (disk.ReadSectors(sector.data(), 0, 1))
            __builtin_trap();  // a closed image reads nothing
        disk.Open();
        disk.ReadSectors(sector.data(), total, 1);
    }
    unlink(path);
    return 0;
}
