// engine/ntfs/NtfsVolumeAnalyze.h
// The NTFS analyser: recognises the volume, measures it and reads its label, all in its
// constructor; it never reads the device again.
#pragma once
#include <stdint.h>

#include "engine/volume/AnalyzedVolume.h"

class IStorageDevice;

class CNtfsVolumeAnalyze : public CAnalyzedVolume {
public:
    CNtfsVolumeAnalyze(IStorageDevice* device, uint64_t firstSector);
};
