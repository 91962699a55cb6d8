// engine/partition/PartitionTypes.h
// GPT partition-type GUIDs: their text form and the table of types that hold a partition.
#pragma once
#include <stdint.h>

const uint32_t kGuidTextSize = 37;  // 36 characters and the terminator

// Upper-case text of a 16-byte GUID as stored on disk: the first three fields are
// little-endian numbers, the last eight bytes are written in stored order.
void FormatGuid(const unsigned char* guid, char* text /* kGuidTextSize bytes */);

// Id (1 to 52) of the first row of the known-types table whose GUID matches, 0 when none.
int FindPartitionTypeId(const unsigned char* typeGuid);

// True when the type GUID names a partition: found in the table with an id above 1, so the
// MBR-scheme GUID, unknown GUIDs and the all-zero GUID of an empty entry are not partitions.
bool IsKnownPartitionType(const unsigned char* typeGuid);

// The two partitions of a GPT dynamic disk ("LDM metadata", "LDM data"): their contents are
// the disk group's volumes, listed from the LDM database rather than as partitions.
bool IsLdmPartitionType(const unsigned char* typeGuid);
