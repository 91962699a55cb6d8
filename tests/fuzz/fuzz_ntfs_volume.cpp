// tests/fuzz/fuzz_ntfs_volume.cpp
// The NTFS analyser: boot sector, the MFT's place and the $Volume record's label.
#include "engine/ntfs/NtfsVolumeAnalyze.h"
#include "engine/volume/FileSystemDetect.h"
#include "tests/engine/FuzzedSectorSize.h"
#include "tests/fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CMemoryDevice disk = DiskOf(data, size, FuzzedSectorSize(data, size));
    CNtfsVolumeAnalyze volume(&disk, 0);
    char label[101] = {};
    volume.GetVolumeLabel(label, 100);
    char byType[100] = {};
    ReadVolumeLabelByType(&disk, 3, byType);
    return 0;
}
