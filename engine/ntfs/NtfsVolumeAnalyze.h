// engine/ntfs/NtfsVolumeAnalyze.h
// The NTFS analyser: recognises the volume, measures it and reads its label, all in its
// constructor; it never reads the device again.
#pragma once
#include <stdint.h>

#include "engine/volume/Volume.h"

class IStorageDevice;

class CNtfsVolumeAnalyze : public IVolume {
public:
    CNtfsVolumeAnalyze(IStorageDevice* device, uint64_t firstSector);
    uint32_t GetFileSystemType() override { return m_type; }
    uint64_t GetTotalSectors() override { return m_totalSectors; }
    // Copies exactly min(size, 100) bytes of the label field (no terminator is added).
    void GetVolumeLabel(char* buffer, uint32_t size) override;

private:
    uint32_t m_type = kFsNone;
    char m_label[100] = {};
    uint64_t m_totalSectors = 0;
};
