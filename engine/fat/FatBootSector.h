// engine/fat/FatBootSector.h
// Decides FAT12, FAT16 or FAT32 from a boot sector's parameter block, or none (kFsNone).
#pragma once
#include <stdint.h>

// 1 when the first byte is non-zero and bytes 510-511 are 0x55 0xAA. The sector holds 512 bytes.
int IsBootSignature(const unsigned char* sector);

// A view over a sector of at least 512 bytes (not owned) that decides its type at once.
class FatBootSector {
public:
    FatBootSector(const unsigned char* sector, uint32_t bytesPerSector);

    uint32_t GetType() const { return m_type; }
    bool IsValid() const;
    uint32_t GetBytesPerSector() const { return m_bytesPerSector; }
    uint32_t GetSectorsPerCluster() const;
    uint32_t GetReservedSectors() const;
    uint32_t GetNumberOfFats() const;
    uint32_t GetRootEntries() const;
    uint32_t GetSectorsPerFat() const;
    // The 16-bit total when it is non-zero, else the 32-bit one (every type).
    uint32_t GetTotalSectors() const;
    // Clusters of the data area: clusters 2 to count + 1 exist. 0 when none fit.
    uint32_t GetClusterCount() const;
    uint32_t GetRootCluster() const;

private:
    uint32_t DecideType() const;

    const unsigned char* m_sector;
    uint32_t m_bytesPerSector;
    uint32_t m_type;
};

// The owning form: keeps its own copy of the first 512 bytes.
class FatBootSectorCopy {
public:
    FatBootSectorCopy(const unsigned char* sector, uint32_t bytesPerSector);
    const FatBootSector& Get() const { return m_view; }

private:
    unsigned char m_bytes[512];
    FatBootSector m_view;
};
