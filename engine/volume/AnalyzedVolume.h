// engine/volume/AnalyzedVolume.h
// What the FAT and NTFS analysers keep once their constructor has looked at the volume: the
// file-system code, the total sectors and a 100-byte label field. They never read again.
#pragma once
#include <stdint.h>
#include <string.h>

#include "engine/volume/Volume.h"

class CAnalyzedVolume : public IVolume {
public:
    uint32_t GetFileSystemType() override { return m_type; }
    uint64_t GetTotalSectors() override { return m_totalSectors; }
    // Copies exactly min(size, 100) bytes of the label field (no terminator is added).
    void GetVolumeLabel(char* buffer, uint32_t size) override
    {
        if (buffer)
            memcpy(buffer, m_label, size < sizeof(m_label) ? size : sizeof(m_label));
    }

protected:
    uint32_t m_type = kFsNone;
    char m_label[100] = {};
    uint64_t m_totalSectors = 0;
};
