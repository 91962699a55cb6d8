// engine/volume/VolumeAnalyzerList.h
// The analysers of one partition or volume: NTFS, then FAT, then exFAT when it answers.
#pragma once
#include <stdint.h>

#include <memory>
#include <vector>

#include "engine/volume/Volume.h"

class IStorageDevice;

class VolumeAnalyzerList {
public:
    // Analyses at once; the device is read only here.
    VolumeAnalyzerList(IStorageDevice* device, uint64_t firstSector);
    VolumeAnalyzerList(const VolumeAnalyzerList&) = delete;
    VolumeAnalyzerList& operator=(const VolumeAnalyzerList&) = delete;

    // The first analyser that recognised its volume; when none did, the last of the list
    // (whose type is kFsNone); null for an empty list. Callers treat null and kFsNone alike.
    IVolume* FirstUsable() const;
    size_t Count() const { return m_volumes.size(); }
    IVolume* At(size_t i) const { return i < m_volumes.size() ? m_volumes[i].get() : nullptr; }

private:
    std::vector<std::unique_ptr<IVolume>> m_volumes;
};
