// engine/collection/EntryComparisons.h
// Whether two collected entries share sectors of a disk, and whether an entry belongs to a
// drive letter: carries it, or lies over the entry that does (a dynamic volume over its
// member partition, a partition inside a lettered volume).
#pragma once
#include <functional>
#include <vector>

#include "engine/collection/PartitionCollection.h"

// The system's number of a disk device, -1 when it has none. Without one (or without the
// function), a slot is on the same disk as another only when both name the same device.
using DiskNumberOf = std::function<int(IStorageDevice* disk)>;

// A used slot of a and a used slot of b lie on the same disk and their sector ranges
// intersect. Used slots run from the first up to one without a disk or with start and
// length both 0.
bool EntriesOverlap(const PartitionEntry& a, const PartitionEntry& b, const DiskNumberOf& diskNumberOf);

// The entry is built from the physical disks and either carries letter (either case) or
// carries none and overlaps an entry of entries that carries it. Never for letter 0.
bool IsEntryOnDriveLetter(const PartitionEntry& entry, char letter, const std::vector<PartitionEntry>& entries,
                          const DiskNumberOf& diskNumberOf);
