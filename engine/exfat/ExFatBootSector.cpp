// engine/exfat/ExFatBootSector.cpp
#include "engine/exfat/ExFatBootSector.h"

#include <string.h>

#include "engine/device/LittleEndian.h"
#include "engine/exfat/ExFatLayout.h"

using namespace exfatlayout;

ExFatBootFields ReadExFatBootFields(const unsigned char* s)
{
    ExFatBootFields f;
    f.volumeLength = GetU64(s + kVolumeLength);
    f.fatOffset = GetU32(s + kFatOffset);
    f.fatLength = GetU32(s + kFatLength);
    f.clusterHeapOffset = GetU32(s + kClusterHeapOffset);
    f.clusterCount = GetU32(s + kClusterCount);
    f.rootCluster = GetU32(s + kRootCluster);
    f.bytesPerSectorShift = s[kBytesPerSectorShift];
    f.sectorsPerClusterShift = s[kSectorsPerClusterShift];
    f.numberOfFats = s[kNumberOfFats];
    return f;
}

bool IsExFatBootSector(const unsigned char* s, uint32_t deviceSectorSize)
{
    if (!s || memcmp(s + kFileSystemName, "EXFAT   ", 8) != 0 || GetU16(s + kSignature) != 0xAA55)
        return false;
    for (size_t i = 0; i < kMustBeZeroLength; ++i)
        if (s[kMustBeZero + i] != 0)
            return false;
    const ExFatBootFields f = ReadExFatBootFields(s);
    // 512 to 4096-byte sectors, the device's own; clusters of at most 32 MiB.
    if (f.bytesPerSectorShift < 9 || f.bytesPerSectorShift > 12 || (1u << f.bytesPerSectorShift) != deviceSectorSize)
        return false;
    if (f.sectorsPerClusterShift + f.bytesPerSectorShift > 25)
        return false;
    if (f.numberOfFats != 1 && f.numberOfFats != 2)
        return false;
    if (f.volumeLength == 0 || f.fatOffset == 0 || f.fatLength == 0 || f.clusterHeapOffset == 0 || f.clusterCount == 0 ||
        f.rootCluster < 2)
        return false;
    if (f.volumeLength < (uint64_t(1) << 32) && (f.fatOffset > f.volumeLength || f.clusterHeapOffset > f.volumeLength))
        return false;
    // The FAT lies before the cluster heap, and the heap inside the volume.
    uint64_t fatEnd = uint64_t(f.fatOffset) + f.fatLength;
    if (fatEnd > 0xFFFFFFFFull || fatEnd > f.clusterHeapOffset)
        return false;
    uint64_t heapEnd = (uint64_t(f.clusterCount - 1) << f.sectorsPerClusterShift) + f.clusterHeapOffset;
    if (heapEnd > f.volumeLength)
        return false;
    // The root directory is a cluster of the heap.
    if (uint64_t(f.rootCluster) >= uint64_t(f.clusterCount) + 2)
        return false;
    return true;
}
