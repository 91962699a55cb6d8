// engine/ntfs/NtfsVolumeLabel.cpp
#include "engine/ntfs/NtfsVolumeLabel.h"

#include <string.h>

#include <memory>
#include <new>

#include "engine/device/LittleEndian.h"
#include "engine/device/StorageDevice.h"
#include "engine/ntfs/NtfsBootSector.h"
#include "engine/ntfs/NtfsLayout.h"
#include "engine/ntfs/NtfsRecord.h"
#include "engine/volume/WideToAnsi.h"

using namespace ntfslayout;

namespace {

constexpr uint64_t kVolumeRecordNumber = 3;

// The bytes from an attribute found in the record to the record's end.
size_t BytesLeft(const unsigned char* record, size_t size, const unsigned char* attribute)
{
    return size - size_t(attribute - record);
}

bool IsSystemAndHidden(const unsigned char* record, size_t size)
{
    const unsigned char* a = FindAttribute(record, size, kTypeStandardInformation, 0);
    const unsigned char* value;
    uint32_t length;
    if (!a || !GetResidentValue(a, BytesLeft(record, size, a), &value, &length) || length < kStdInfoAttributes - kResidentHeaderSize + 4)
        return false;
    uint32_t attributes = GetU32(value + kStdInfoAttributes - kResidentHeaderSize);
    return (attributes & 0x06) == 0x06;
}

// Both tests read through attributes whose bounds the walk alone does not know: their callers
// validate the record first, and the attributes' own lengths are only believed then.
bool FirstFileNameIs(const unsigned char* record, size_t size, const char* name)
{
    const unsigned char* a = FindAttribute(record, size, kTypeFileName, 0);
    const unsigned char* value;
    uint32_t length;
    if (!a || !GetResidentValue(a, BytesLeft(record, size, a), &value, &length) || length < kFileNameUnits - kResidentHeaderSize)
        return false;
    size_t units = value[kFileNameLength - kResidentHeaderSize];
    if (units != strlen(name) || kFileNameUnits - kResidentHeaderSize + 2 * units > length)
        return false;
    for (size_t i = 0; i < units; ++i)
        if (GetU16(value + kFileNameUnits - kResidentHeaderSize + 2 * i) != static_cast<unsigned char>(name[i]))
            return false;
    return true;
}

}  // namespace

bool NtfsFirstFileNameIs(const unsigned char* record, size_t size, const char* name)
{
    return name && IsSoundFileRecord(record, size) && FirstFileNameIs(record, size, name);
}

bool IsNtfsSystemFile(const unsigned char* record, size_t size, const char* name)
{
    return name && IsSoundFileRecord(record, size) && IsSystemAndHidden(record, size) &&
           FirstFileNameIs(record, size, name);
}

bool IsNtfsVolumeRecord(const unsigned char* record, size_t size) { return IsNtfsSystemFile(record, size, "$Volume"); }

int ReadNtfsVolumeLabel(unsigned char* record, char* label, size_t recordSize)
{
    // A record whose update sequence does not check was torn by an interrupted write: its
    // bytes are not trusted, even where its attributes still look sound.
    if (!record || !label || !ValidateFileRecord(record, recordSize) || !ApplyUpdateSequence(record, recordSize))
        return 0;
    if (!IsNtfsVolumeRecord(record, recordSize))
        return 0;
    const unsigned char* a = FindAttribute(record, recordSize, kTypeVolumeName, 0);
    const unsigned char* value;
    uint32_t length;
    if (!a || !GetResidentValue(a, BytesLeft(record, recordSize, a), &value, &length))
        return 0;
    // The name is UTF-16; an odd byte count leaves the last byte out. Units are read byte by
    // byte into an aligned copy.
    uint32_t units = length / 2;
    uint16_t wide[512];
    if (units > 512)
        units = 512;
    for (uint32_t i = 0; i < units; ++i)
        wide[i] = GetU16(value + 2 * i);
    char text[kNtfsLabelBytes + 1] = {};
    if (!WideToAnsi(wide, units, text, sizeof(text)))
        return 0;
    memcpy(label, text, sizeof(text));
    return 1;
}

int ReadNtfsLabelFromMft(IStorageDevice* device, uint64_t volumeStart, const NtfsBootSector& boot, char* label)
{
    if (!device || !label)
        return 0;
    const uint32_t sectorSize = device->GetBytesPerSector();
    const uint32_t recordSize = GetMftRecordSize(boot);
    if (sectorSize == 0 || recordSize == 0)
        return 0;
    // Work in bytes: a record may be smaller than a sector, and the boot sector's sector size
    // may differ from the device's.
    const uint64_t clusterBytes = uint64_t(boot.GetSectorsPerCluster()) * boot.GetBytesPerSector();
    const uint64_t mftCluster = boot.GetMftCluster();
    if (clusterBytes == 0 || mftCluster > (~uint64_t(0) - kVolumeRecordNumber * recordSize) / clusterBytes)
        return 0;
    const uint64_t byteOffset = mftCluster * clusterBytes + kVolumeRecordNumber * recordSize;
    const uint64_t firstSector = byteOffset / sectorSize;
    const size_t skip = size_t(byteOffset % sectorSize);
    const uint64_t sectors = (skip + uint64_t(recordSize) + sectorSize - 1) / sectorSize;
    if (firstSector > ~uint64_t(0) - volumeStart)
        return 0;
    std::unique_ptr<unsigned char[]> buffer(new (std::nothrow) unsigned char[size_t(sectors * sectorSize)]);
    if (!buffer)
        return 0;
    if (!device->ReadSectors(buffer.get(), volumeStart + firstSector, sectors))
        return 0;
    ReadNtfsVolumeLabel(buffer.get() + skip, label, recordSize);
    return 1;
}
