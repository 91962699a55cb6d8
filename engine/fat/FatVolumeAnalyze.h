// engine/fat/FatVolumeAnalyze.h
// The FAT12/16/32 analyser: recognises the volume, measures it and reads its label, all in
// its constructor; it never reads the device again.
#pragma once
#include <stdint.h>

#include "engine/volume/AnalyzedVolume.h"

class IStorageDevice;

class CFatVolumeAnalyze : public CAnalyzedVolume {
public:
    CFatVolumeAnalyze(IStorageDevice* device, uint64_t firstSector);
};
