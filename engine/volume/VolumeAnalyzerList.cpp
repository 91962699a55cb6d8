// engine/volume/VolumeAnalyzerList.cpp
#include "engine/volume/VolumeAnalyzerList.h"

#include <new>

#include "engine/exfat/ExFatVolumeAnalyzer.h"
#include "engine/fat/FatVolumeAnalyze.h"
#include "engine/ntfs/NtfsVolumeAnalyze.h"

VolumeAnalyzerList::VolumeAnalyzerList(IStorageDevice* device, uint64_t firstSector)
{
    m_volumes.reserve(3);
    if (IVolume* ntfs = new (std::nothrow) CNtfsVolumeAnalyze(device, firstSector))
        m_volumes.emplace_back(ntfs);
    if (IVolume* fat = new (std::nothrow) CFatVolumeAnalyze(device, firstSector))
        m_volumes.emplace_back(fat);
    if (IVolume* exfat = AnalyzeExFatVolume(device, firstSector))
        m_volumes.emplace_back(exfat);
}

IVolume* VolumeAnalyzerList::FirstUsable() const
{
    for (const std::unique_ptr<IVolume>& volume : m_volumes)
        if (volume->GetFileSystemType() != kFsNone)
            return volume.get();
    return m_volumes.empty() ? nullptr : m_volumes.back().get();
}
