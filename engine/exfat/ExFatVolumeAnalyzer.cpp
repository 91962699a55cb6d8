// engine/exfat/ExFatVolumeAnalyzer.cpp
#include "engine/exfat/ExFatVolumeAnalyzer.h"

#include <string.h>

#include <memory>
#include <new>
#include <set>
#include <vector>

#include "engine/device/StorageDevice.h"
#include "engine/exfat/ExFatBootSector.h"
#include "engine/exfat/ExFatLayout.h"
#include "engine/exfat/SectorCache.h"
#include "engine/volume/IntegerLog2.h"
#include "engine/volume/WideToAnsi.h"

void CExFatVolumeAnalyer::GetVolumeLabel(char* buffer, uint32_t size)
{
    uint32_t length = 0;
    while (length < kExFatLabelUnits - 1 && m_label[length])
        ++length;
    if (!buffer || size <= length + 1)
        return;
    char text[256];
    if (!WideToAnsi(m_label, length, text, sizeof(text)))
        return;
    // A double-byte code page may make the text longer than the label.
    size_t bytes = strlen(text) + 1;
    if (bytes <= size)
        memcpy(buffer, text, bytes);
}

CExFatVolumeAnalyer* AnalyzeExFatVolume(IStorageDevice* device, uint64_t firstSector)
{
    if (!device)
        return nullptr;
    uint32_t bytesPerSector = device->GetBytesPerSector();
    if (bytesPerSector == 0 || bytesPerSector > 4096)
        return nullptr;
    std::vector<unsigned char> sector(4096, 0);
    if (!device->ReadSectors(sector.data(), firstSector, 1))
        return nullptr;
    if (!IsExFatBootSector(sector.data(), bytesPerSector))
        return nullptr;
    const ExFatBootFields boot = ReadExFatBootFields(sector.data());
    CExFatVolumeAnalyer* volume = new (std::nothrow) CExFatVolumeAnalyer;
    if (!volume)
        return nullptr;
    volume->m_totalSectors = boot.volumeLength;

    SectorCache fat;
    fat.Open(device, firstSector + boot.fatOffset, boot.fatLength);
    const uint64_t heapStart = firstSector + boot.clusterHeapOffset;
    const uint32_t sectorsPerCluster = 1u << boot.sectorsPerClusterShift;
    const uint64_t bytesPerCluster = uint64_t(sectorsPerCluster) * bytesPerSector;
    std::unique_ptr<unsigned char[]> cluster(new (std::nothrow) unsigned char[size_t(bytesPerCluster)]);
    if (!cluster)
        return volume;
    const uint32_t lengthShift = IntegerLog2(bytesPerSector);
    const uint32_t clusterShift = IntegerLog2(uint32_t(bytesPerCluster));
    // Clusters outside the heap, and clusters already read (a looping chain), end the walk.
    const uint64_t clusterEnd = uint64_t(boot.clusterCount) + 2;
    std::set<uint32_t> seen;
    for (uint32_t c = boot.rootCluster; c >= 2 && c < exfatlayout::kClusterBad && c < clusterEnd;
         c = fat.GetFatEntry(c)) {
        if (!seen.insert(c).second)
            break;
        if (!device->ReadSectors(cluster.get(), heapStart + uint64_t(c - 2) * sectorsPerCluster, sectorsPerCluster))
            break;
        // An entry that ends the walk (the end marker) ends the directory; a cluster whose
        // entries all pass goes on in the next cluster of the chain.
        if (WalkExFatRootCluster(cluster.get(), size_t(bytesPerCluster), volume->m_label, lengthShift, clusterShift,
                                 volume->m_totalSectors))
            break;
    }
    return volume;
}
