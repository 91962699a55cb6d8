// engine/ntfs/NtfsBootSector.cpp
#include "engine/ntfs/NtfsBootSector.h"

#include <string.h>

#include "engine/device/LittleEndian.h"
#include "engine/ntfs/NtfsLayout.h"
#include "engine/volume/BootSectorChecks.h"

using namespace ntfslayout;

bool IsNtfsSignature(const unsigned char* s)
{
    if (!s)
        return false;
    return BootSectorTextIs(s + kOemName, "NTFS    ");
}

bool IsNtfsBootSector(const unsigned char* s)
{
    if (!IsNtfsSignature(s))
        return false;
    uint32_t bytesPerSector = GetU16(s + kBytesPerSector);
    if (bytesPerSector == 0 || bytesPerSector % 512 != 0)
        return false;
    uint32_t sectorsPerCluster = s[kSectorsPerCluster];
    if (!IsValidSectorsPerCluster(sectorsPerCluster))
        return false;
    // NTFS leaves every FAT field of the parameter block zero.
    if (GetU16(s + kReservedSectors) != 0 || s[kNumberOfFats] != 0 || GetU16(s + kRootEntries) != 0 ||
        GetU16(s + kTotalSectors16) != 0 || GetU16(s + kSectorsPerFat) != 0 || GetU32(s + kTotalSectors32) != 0)
        return false;
    return s[kSignature] == 0x55 && s[kSignature + 1] == 0xAA;
}

bool NtfsBootSector::Load(const unsigned char* sector)
{
    if (!IsNtfsBootSector(sector))
        return false;
    memcpy(m_bytes, sector, sizeof(m_bytes));
    return true;
}

uint32_t NtfsBootSector::GetOemNameLow() const { return GetU32(m_bytes + kOemName); }
uint32_t NtfsBootSector::GetOemNameHigh() const { return GetU32(m_bytes + kOemName + 4); }
uint32_t NtfsBootSector::GetBytesPerSector() const { return GetU16(m_bytes + kBytesPerSector); }
uint32_t NtfsBootSector::GetSectorsPerCluster() const { return m_bytes[kSectorsPerCluster]; }
uint64_t NtfsBootSector::GetTotalSectors() const { return GetU64(m_bytes + kTotalSectors); }
uint64_t NtfsBootSector::GetMftCluster() const { return GetU64(m_bytes + kMftCluster); }
uint64_t NtfsBootSector::GetMftMirrorCluster() const { return GetU64(m_bytes + kMftMirrorCluster); }
int32_t NtfsBootSector::GetClustersPerRecord() const { return int8_t(m_bytes[kClustersPerRecord]); }

uint32_t GetMftRecordSize(const NtfsBootSector& boot)
{
    int32_t n = boot.GetClustersPerRecord();
    uint64_t size;
    if (n < 0)
        size = -n <= 16 ? uint64_t(1) << -n : 0;
    else if (n == 0)
        size = 1024;
    else
        size = uint64_t(n) * boot.GetSectorsPerCluster() * boot.GetBytesPerSector();
    return size >= 256 && size <= 65536 ? uint32_t(size) : 0;
}
