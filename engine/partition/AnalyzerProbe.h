// engine/partition/AnalyzerProbe.h
// The file-system probe that the partition walk uses on real disks: the volume analysers.
#pragma once
#include "engine/partition/PartitionTable.h"

// What the first usable analyser finds at (disk, start); kFsNone when none recognises it.
FileSystemGuess ProbeWithAnalyzers(IStorageDevice& disk, uint64_t start, uint64_t length);
