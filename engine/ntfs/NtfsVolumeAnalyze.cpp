// engine/ntfs/NtfsVolumeAnalyze.cpp
#include "engine/ntfs/NtfsVolumeAnalyze.h"

#include <string.h>

#include <vector>

#include "engine/device/StorageDevice.h"
#include "engine/ntfs/NtfsBootSector.h"
#include "engine/ntfs/NtfsVolumeLabel.h"

CNtfsVolumeAnalyze::CNtfsVolumeAnalyze(IStorageDevice* device, uint64_t firstSector)
{
    if (!device)
        return;
    uint32_t bytesPerSector = device->GetBytesPerSector();
    if (bytesPerSector == 0 || bytesPerSector > 4096)
        return;
    std::vector<unsigned char> sector(4096, 0);
    if (!device->ReadSectors(sector.data(), firstSector, 1))
        return;
    NtfsBootSector boot;
    if (!boot.Load(sector.data()))
        return;
    m_type = kFsNtfs;
    m_totalSectors = boot.GetTotalSectors();
    char label[kNtfsLabelBytes + 1] = {};
    ReadNtfsLabelFromMft(device, firstSector, boot, label);
    memcpy(m_label, label, sizeof(label));
}
