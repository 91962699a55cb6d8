// engine/exfat/ExFatEntries.h
// Tests of single exFAT directory entries, and the root-directory walk that finds the label.
// lengthShift turns a byte length into sectors (the bytes-per-sector shift), clusterShift into
// clusters; limit is the volume length in sectors.
#pragma once
#include <stddef.h>
#include <stdint.h>

bool IsValidExFatTimestamp(uint32_t timestamp);
bool IsValidFileEntry(const unsigned char* entry);
bool IsValidStreamEntry(const unsigned char* entry, uint32_t lengthShift, uint32_t clusterShift, uint64_t limit);
bool IsValidFileNameEntry(const unsigned char* entry);
bool IsValidVolumeLabelEntry(const unsigned char* entry);
bool IsValidBitmapEntry(const unsigned char* entry, uint32_t lengthShift, uint32_t clusterShift, uint64_t limit);
bool IsValidUpcaseEntry(const unsigned char* entry, uint32_t lengthShift, uint32_t clusterShift, uint64_t limit);

// The label output holds at least 12 units.
constexpr uint32_t kExFatLabelUnits = 260;

// Walks the entries of one root cluster. A label entry in use (0x83) with characters is
// copied into label and terminated; an unused one (0x03) is only tested. True when an entry ended the walk of this cluster (the end marker, an
// unknown type or a failed test); false when every entry passed.
bool WalkExFatRootCluster(const unsigned char* cluster, size_t bytes, uint16_t* label, uint32_t lengthShift,
                          uint32_t clusterShift, uint64_t limit);
