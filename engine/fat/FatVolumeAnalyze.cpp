// engine/fat/FatVolumeAnalyze.cpp
#include "engine/fat/FatVolumeAnalyze.h"

#include <string.h>

#include <vector>

#include "engine/device/StorageDevice.h"
#include "engine/fat/FatBootSector.h"
#include "engine/fat/FatDirectory.h"

CFatVolumeAnalyze::CFatVolumeAnalyze(IStorageDevice* device, uint64_t firstSector)
{
    if (!device)
        return;
    uint32_t bytesPerSector = device->GetBytesPerSector();
    // Four sectors of up to 4096 bytes; smaller sectors leave the rest zero.
    if (bytesPerSector == 0 || bytesPerSector > 4096)
        return;
    std::vector<unsigned char> sectors(16384, 0);
    if (!device->ReadSectors(sectors.data(), firstSector, 4))
        return;
    FatBootSector boot(sectors.data(), bytesPerSector);
    if (!boot.IsValid())
        return;
    m_type = boot.GetType();
    m_totalSectors = boot.GetTotalSectors();
    char label[kFatLabelSize] = {};
    if (ReadFatVolumeLabel(FatDirectoryReader(device), firstSector, boot, label))
        memcpy(m_label, label, sizeof(m_label));
}
