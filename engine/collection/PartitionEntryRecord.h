// engine/collection/PartitionEntryRecord.h
// A PartitionEntry as the keyed record stream carries it: 1277 bytes in a fixed layout.
//
//   0    4    source: 0 built from physical disks, other values image entries
//   4    4    the entry's device (in-process only; written as zero)
//   8    4    kind: 0 basic partition or unallocated region, 1 dynamic volume
//   12   4    file-system code
//   16   1    drive letter, 0 when none
//   17   100  name, zero-terminated
//   117  4    reserved, 0
//   121  4    1 when the partition's disk is on USB
//   125  640  32 member slots of 20 bytes: u64 start, u64 length, u32 disk (written as 1 when
//             the slot has a disk, 0 when it is free)
//   765  512  display text, zero-terminated
// An image entry (source other than 0) carries its image path at byte 280 (260 bytes), over
// the slots from the eighth on.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "engine/collection/PartitionCollection.h"

const size_t kPartitionEntryRecordSize = 1277;
const size_t kPartitionEntryReservedOffset = 117;
const size_t kPartitionEntrySlotsOffset = 125;
const size_t kPartitionEntrySlotSize = 20;
const size_t kPartitionEntryTextOffset = 765;
const size_t kPartitionEntryPathOffset = 280;
const size_t kPartitionEntryPathSize = 260;

void PackPartitionEntry(const PartitionEntry& entry, unsigned char* out /* kPartitionEntryRecordSize */);
// Everything but the devices, which mean nothing outside the process that wrote the record.
void UnpackPartitionEntry(const unsigned char* in, PartitionEntry& entry);
// Slots in use, from the first up to the first free one (32 when all are used).
uint32_t UsedSlotsOfRecord(const unsigned char* in);
uint32_t UsedSlots(const PartitionEntry& entry);
