// engine/volume/FileSystemDetect.cpp
#include "engine/volume/FileSystemDetect.h"

#include <string.h>

#include <vector>

#include "engine/device/StorageDevice.h"
#include "engine/fat/FatBootSector.h"
#include "engine/fat/FatDirectory.h"
#include "engine/ntfs/NtfsBootSector.h"
#include "engine/ntfs/NtfsVolumeLabel.h"
#include "engine/volume/Volume.h"

namespace {

constexpr uint32_t kLabelBytes = 100;

// Sector 0 of the device into a zeroed 4096-byte buffer.
bool ReadFirstSector(IStorageDevice* device, std::vector<unsigned char>& sector)
{
    sector.assign(4096, 0);
    if (!device || device->GetBytesPerSector() > sector.size())
        return false;
    return device->ReadSectors(sector.data(), 0, 1) != 0;
}

}  // namespace

uint32_t DetectFileSystem(const unsigned char* sector, uint32_t bytesPerSector)
{
    if (!sector)
        return kFsNone;
    FatBootSector fat(sector, bytesPerSector);
    if (fat.IsValid())
        return fat.GetType();
    return IsNtfsBootSector(sector) ? uint32_t(kFsNtfs) : uint32_t(kFsNone);
}

int ReadVolumeLabelByType(IStorageDevice* device, int32_t fileSystem, char* label)
{
    if (fileSystem < 0 || !label)
        return 0;
    std::vector<unsigned char> sector;
    if (fileSystem <= int32_t(kFsFat32)) {
        if (!ReadFirstSector(device, sector))
            return 0;
        FatBootSector boot(sector.data(), device ? device->GetBytesPerSector() : 512);
        if (!boot.IsValid())
            return 0;
        char text[kFatLabelSize] = {};
        if (!ReadFatVolumeLabel(FatDirectoryReader(device), 0, boot, text))
            return 0;
        memcpy(label, text, kLabelBytes);
        label[kLabelBytes - 1] = 0;
        return 1;
    }
    if (fileSystem == int32_t(kFsNtfs)) {
        if (!ReadFirstSector(device, sector))
            return 0;
        NtfsBootSector boot;
        if (!IsNtfsSignature(sector.data()) || !boot.Load(sector.data()))
            return 0;
        char text[kNtfsLabelBytes + 1] = {};
        if (!ReadNtfsLabelFromMft(device, 0, boot, text))
            return 0;
        memcpy(label, text, sizeof(text));
        return 1;
    }
    return 0;
}
