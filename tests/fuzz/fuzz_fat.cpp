// tests/fuzz/fuzz_fat.cpp
// The FAT analyser: boot sector, FAT chains and the root directory's label; and every 32 bytes
// of the input as a long-name entry, every sector as the first of a FAT.
#include <string.h>

#include <vector>

#include "engine/fat/FatLongName.h"
#include "engine/fat/FatVolumeAnalyze.h"
#include "engine/volume/FileSystemDetect.h"
#include "tests/engine/FuzzedSectorSize.h"
#include "tests/fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CMemoryDevice disk = DiskOf(data, size, FuzzedSectorSize(data, size));
    CFatVolumeAnalyze volume(&disk, 0);
    char label[101] = {};
    volume.GetVolumeLabel(label, 100);
    char byType[100] = {};
    ReadVolumeLabelByType(&disk, int32_t(volume.GetFileSystemType() <= 2 ? volume.GetFileSystemType() : 0), byType);
    // A boot sector is read whole: at least 512 bytes, and the sector size given.
    if (size >= 512 && size >= disk.GetBytesPerSector())
        DetectFileSystem(data, disk.GetBytesPerSector());
    // Each entry and sector gets a copy of exactly its size, so reads past it are caught.
    for (size_t at = 0; at + 32 <= size && at < 64 * 1024; at += 32) {
        std::vector<unsigned char> entry(data + at, data + at + 32);
        char name[101];
        if (LongNameToAnsi(entry.data(), name, sizeof(name)))
            IsValidLongName(name);
    }
    for (size_t at = 0; at + 512 <= size && at < 64 * 1024; at += 512) {
        std::vector<unsigned char> sector(data + at, data + at + 512);
        uint32_t type = 0;
        DetectFatTypeFromTable(sector.data(), &type);
    }
    return 0;
}
