// engine/image/DiskSnapshot.cpp
#include "engine/image/DiskSnapshot.h"

#include <string.h>

#include "engine/device/LittleEndian.h"

void PutDiskDescription(const DiskDescription& d, unsigned char* out)
{
    memset(out, 0, kSnapshotDescriptionSize);
    PutU32(out, d.busType);
    const char* texts[] = {d.vendor, d.product, d.revision, d.serial, d.busTypeName};
    for (size_t i = 0; i < 5; ++i)
        memcpy(out + 4 + 260 * i, texts[i], 260);
}

int TakeDiskSnapshot(IStorageDevice* device, const DiskDescription& description, std::vector<unsigned char>* out)
{
    if (!out)
        return 0;
    out->assign(kDiskSnapshotSize, 0);
    PutDiskDescription(description, out->data());
    if (!device)
        return 0;
    uint32_t bytesPerSector = device->GetBytesPerSector();
    // Larger sectors do not fit the snapshot's room; such a disk is known by its description.
    if (bytesPerSector < 512 || bytesPerSector > kSnapshotSectorRoom)
        return 0;
    std::vector<unsigned char> sector(bytesPerSector, 0);
    if (!device->ReadSectors(sector.data(), 0, 1))
        return 0;
    memcpy(out->data() + kSnapshotSectorOffset, sector.data(), bytesPerSector);
    memset(out->data() + kSnapshotTableOffset, 0, kSnapshotTableSize);
    return 1;
}
