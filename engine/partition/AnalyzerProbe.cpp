// engine/partition/AnalyzerProbe.cpp
#include "engine/partition/AnalyzerProbe.h"

#include "engine/volume/VolumeAnalyzerList.h"

FileSystemGuess ProbeWithAnalyzers(IStorageDevice& disk, uint64_t start, uint64_t length)
{
    FileSystemGuess guess;
    VolumeAnalyzerList analyzers(&disk, start);
    IVolume* volume = analyzers.FirstUsable();
    if (!volume || volume->GetFileSystemType() == kFsNone)
        return guess;
    guess.code = volume->GetFileSystemType();
    guess.totalSectors = volume->GetTotalSectors();
    volume->GetVolumeLabel(guess.label, kPartitionLabelSize);
    guess.label[kPartitionLabelSize - 1] = 0;
    return guess;
}
