// engine/ntfs/NtfsVolumeLabel.h
// The volume label of NTFS, read from the volume-name attribute of the $Volume record.
#pragma once
#include <stddef.h>
#include <stdint.h>

class IStorageDevice;
class NtfsBootSector;

constexpr uint32_t kNtfsLabelBytes = 80;

// The record's first file-name attribute is name (ASCII, exact). The record's fix-ups are
// already applied.
bool NtfsFirstFileNameIs(const unsigned char* record, size_t size, const char* name);
// The record's first file name equals name (ASCII, exact) and its standard information marks
// it system and hidden. The record's fix-ups are already applied.
bool IsNtfsSystemFile(const unsigned char* record, size_t size, const char* name);
bool IsNtfsVolumeRecord(const unsigned char* record, size_t size);

// Writes the label of a $Volume record into label: at most kNtfsLabelBytes bytes plus a
// terminator (label holds kNtfsLabelBytes + 1). The fix-ups are applied in place; a torn
// record gives 0. 1 when found.
int ReadNtfsVolumeLabel(unsigned char* record, char* label, size_t recordSize);

// Reads record 3 of the MFT of the volume at volumeStart. 1 when the record was read (whether
// or not it held a label), 0 on a failed read or an impossible geometry.
int ReadNtfsLabelFromMft(IStorageDevice* device, uint64_t volumeStart, const NtfsBootSector& boot, char* label);
