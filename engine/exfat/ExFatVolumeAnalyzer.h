// engine/exfat/ExFatVolumeAnalyzer.h
// The exFAT analyser: volume length and label, found once when it is made.
#pragma once
#include <stdint.h>

#include "engine/exfat/ExFatEntries.h"
#include "engine/volume/Volume.h"

class IStorageDevice;

class CExFatVolumeAnalyer : public IVolume {
public:
    uint32_t GetFileSystemType() override { return kFsExFat; }
    uint64_t GetTotalSectors() override { return m_totalSectors; }
    // Writes the ANSI label and its NUL only when size exceeds the label's length + 1 and the
    // converted text fits; otherwise the buffer is left untouched.
    void GetVolumeLabel(char* buffer, uint32_t size) override;

    uint64_t m_totalSectors = 0;
    uint16_t m_label[kExFatLabelUnits] = {};
};

// A new analyser for an exFAT volume at firstSector, or null when it is not exFAT (or the
// device is null, the read fails or memory is refused). The caller deletes it.
CExFatVolumeAnalyer* AnalyzeExFatVolume(IStorageDevice* device, uint64_t firstSector);
