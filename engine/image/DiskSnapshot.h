// engine/image/DiskSnapshot.h
// A disk's identity for finding it again: its description and its first sector with the
// partition table blanked, so that repartitioning the disk does not change who it is.
//
//   0     1304  DiskDescription (u32 bus type, then five 260-byte texts)
//   1304  4096  sector 0 (room for sectors of up to 4096 bytes); its partition table, bytes
//               446..509 of the sector (1750..1813 here), is zero
//   5400        end
#pragma once
#include <stddef.h>
#include <stdint.h>

#include <vector>

#include "engine/device/DiskDescription.h"
#include "engine/device/StorageDevice.h"

const size_t kDiskSnapshotSize = 5400;
const size_t kSnapshotDescriptionSize = 1304;
const size_t kSnapshotSectorOffset = 1304;
const size_t kSnapshotSectorRoom = 4096;
const size_t kSnapshotTableOffset = 1750;
const size_t kSnapshotTableSize = 64;

// The snapshot in fields of fixed width, every one a byte array, checked at compile time.
struct DiskSnapshotBytes {
    uint8_t busType[4];
    char texts[5][260];  // vendor, product, revision, serial, bus-type name
    uint8_t sector[kSnapshotSectorRoom];
};
static_assert(sizeof(DiskSnapshotBytes) == kDiskSnapshotSize, "disk snapshot");
static_assert(offsetof(DiskSnapshotBytes, sector) == kSnapshotSectorOffset &&
                  kSnapshotSectorOffset == kSnapshotDescriptionSize && kSnapshotTableOffset == kSnapshotSectorOffset + 446,
              "disk snapshot fields");
// The in-memory description holds fixed-width fields only: the same size in every build.
static_assert(sizeof(DiskDescription) == kSnapshotDescriptionSize, "disk description");

// Serialises the description field by field (no struct padding in the bytes).
void PutDiskDescription(const DiskDescription& description, unsigned char* out);

// Always fills the 5400 bytes; a sector 0 that cannot be read stays zero. 1 when it was read.
int TakeDiskSnapshot(IStorageDevice* device, const DiskDescription& description, std::vector<unsigned char>* out);
