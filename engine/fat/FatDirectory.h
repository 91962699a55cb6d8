// engine/fat/FatDirectory.h
// Finds the volume label in a FAT root directory: the fixed root area of FAT12/16, or the
// root cluster chain of FAT32.
#pragma once
#include <stdint.h>

class IStorageDevice;
class FatBootSector;

constexpr uint32_t kFatLabelSize = 100;

class FatDirectoryReader {
public:
    explicit FatDirectoryReader(IStorageDevice* device);
    IStorageDevice* GetDevice() const { return m_device; }
    uint32_t GetBytesPerSector() const { return m_bytesPerSector; }

private:
    IStorageDevice* m_device;
    uint32_t m_bytesPerSector;
};

// First sector of a cluster of the volume that starts at volumeStart; ~0 for a boot sector
// that is not FAT or a cluster below 2.
uint64_t FatClusterToSector(const FatDirectoryReader& reader, uint64_t volumeStart, const FatBootSector& boot,
                            uint64_t cluster);

// 1 when the root directory holds a volume-label entry; its name is then written into label
// (kFatLabelSize bytes, terminated). 0 when none is found or a read fails.
int ReadFatVolumeLabel(const FatDirectoryReader& reader, uint64_t volumeStart, const FatBootSector& boot, char* label);
