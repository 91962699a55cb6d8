// engine/exfat/ExFatBootSector.h
// The exFAT boot-sector test and the fields that the analyser reads.
#pragma once
#include <stdint.h>

// True when sector (at least 512 bytes) is a consistent exFAT boot sector for a device with
// sectors of deviceSectorSize bytes.
bool IsExFatBootSector(const unsigned char* sector, uint32_t deviceSectorSize);

struct ExFatBootFields {
    uint64_t volumeLength;
    uint32_t fatOffset;
    uint32_t fatLength;
    uint32_t clusterHeapOffset;
    uint32_t clusterCount;
    uint32_t rootCluster;
    uint32_t bytesPerSectorShift;
    uint32_t sectorsPerClusterShift;
    uint32_t numberOfFats;
};
ExFatBootFields ReadExFatBootFields(const unsigned char* sector);
