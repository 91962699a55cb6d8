// tests/fuzz/fuzz_fat.cpp
// The FAT analyser: boot sector, FAT chains and the root directory's label.
#include <string.h>

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
    return 0;
}
