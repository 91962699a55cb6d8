// engine/volume/Volume.h
// A file-system analyser over one volume of a block device, and the file-system codes that the
// whole engine uses.
#pragma once
#include <stdint.h>

enum FileSystemCode : uint32_t {
    kFsFat12 = 0,
    kFsFat16 = 1,
    kFsFat32 = 2,
    kFsNtfs = 3,
    kFsExt2 = 4,
    kFsExt3 = 5,
    kFsRaw = 6,
    kFsExFat = 7,
    kFsNone = 9,
};

class IVolume {
public:
    virtual ~IVolume() {}
    // kFsNone when the analyser did not recognise its volume.
    virtual uint32_t GetFileSystemType() = 0;
    // 0 when not recognised.
    virtual uint64_t GetTotalSectors() = 0;
    virtual void GetVolumeLabel(char* buffer, uint32_t size) = 0;
};
