// engine/fat/FatBootSector.cpp
#include "engine/fat/FatBootSector.h"

#include <string.h>

#include "engine/device/LittleEndian.h"
#include "engine/fat/FatLayout.h"
#include "engine/volume/BootSectorChecks.h"
#include "engine/volume/Volume.h"

using namespace fatlayout;

namespace {

bool HasSignature(const unsigned char* sector) { return sector[kSignature] == 0x55 && sector[kSignature + 1] == 0xAA; }

}  // namespace

int IsBootSignature(const unsigned char* sector)
{
    return sector && sector[0] != 0 && HasSignature(sector) ? 1 : 0;
}

FatBootSector::FatBootSector(const unsigned char* sector, uint32_t bytesPerSector)
    : m_sector(sector), m_bytesPerSector(bytesPerSector), m_type(kFsNone)
{
    m_type = DecideType();
}

uint32_t FatBootSector::DecideType() const
{
    if (!m_sector || m_bytesPerSector == 0)
        return kFsNone;
    const unsigned char* s = m_sector;
    // Checks common to the three types: one or two copies of the FAT (formatters make both, and
    // the checkers read both), a sane cluster, the sector size of the device we read (a mismatch
    // would place every later read wrongly) and the signature.
    uint32_t fats = s[kNumberOfFats];
    bool common = (fats == 1 || fats == 2) && IsValidSectorsPerCluster(s[kSectorsPerCluster]) &&
                  GetU16(s + kBytesPerSector) == m_bytesPerSector && HasSignature(s);
    if (!common)
        return kFsNone;
    // FAT12 and FAT16 keep a fixed root directory of whole sectors; floppies hold as few as
    // 112 entries, so only an empty root is refused.
    uint32_t rootEntries = GetU16(s + kRootEntries);
    uint32_t fat16Length = GetU16(s + kSectorsPerFat16);
    bool fixedRootIsSound = rootEntries != 0 && (rootEntries * 32) % m_bytesPerSector == 0;
    if (BootSectorTextIs(s + kTypeText16, "FAT12   ") && fixedRootIsSound && fat16Length >= 1 && fat16Length <= 200)
        return kFsFat12;
    if (BootSectorTextIs(s + kTypeText16, "FAT16   ") && fixedRootIsSound && fat16Length != 0)
        return kFsFat16;
    if (BootSectorTextIs(s + kTypeText32, "FAT32   ") && GetU32(s + kSectorsPerFat32) != 0)
        return kFsFat32;
    return kFsNone;
}

bool FatBootSector::IsValid() const { return m_type != kFsNone; }

uint32_t FatBootSector::GetSectorsPerCluster() const { return IsValid() ? m_sector[kSectorsPerCluster] : 0; }
uint32_t FatBootSector::GetReservedSectors() const { return IsValid() ? GetU16(m_sector + kReservedSectors) : 0; }
uint32_t FatBootSector::GetNumberOfFats() const { return IsValid() ? m_sector[kNumberOfFats] : 0; }
uint32_t FatBootSector::GetRootEntries() const { return m_sector ? GetU16(m_sector + kRootEntries) : 0; }

uint32_t FatBootSector::GetSectorsPerFat() const
{
    if (m_type == kFsFat12 || m_type == kFsFat16)
        return GetU16(m_sector + kSectorsPerFat16);
    if (m_type == kFsFat32)
        return GetU32(m_sector + kSectorsPerFat32);
    return 0;
}

// Every type keeps a total below 65,536 in the 16-bit field and leaves the 32-bit one 0, and
// a larger total the other way round: a small FAT32 and a large FAT12 exist too.
uint32_t FatBootSector::GetTotalSectors() const
{
    if (!IsValid())
        return 0;
    uint32_t total16 = GetU16(m_sector + kTotalSectors16);
    return total16 ? total16 : GetU32(m_sector + kTotalSectors32);
}

uint32_t FatBootSector::GetClusterCount() const
{
    if (!IsValid())
        return 0;
    uint64_t meta = GetReservedSectors() + uint64_t(GetNumberOfFats()) * GetSectorsPerFat();
    if (m_type != kFsFat32)
        meta += (uint64_t(GetRootEntries()) * 32 + m_bytesPerSector - 1) / m_bytesPerSector;
    uint64_t total = GetTotalSectors();
    return total > meta ? uint32_t((total - meta) / GetSectorsPerCluster()) : 0;
}

uint32_t FatBootSector::GetRootCluster() const { return m_type == kFsFat32 ? GetU32(m_sector + kRootCluster) : 0; }

FatBootSectorCopy::FatBootSectorCopy(const unsigned char* sector, uint32_t bytesPerSector)
    : m_bytes(), m_view((sector ? memcpy(m_bytes, sector, sizeof(m_bytes)) : nullptr, m_bytes), bytesPerSector)
{
}
