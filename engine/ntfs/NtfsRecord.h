// engine/ntfs/NtfsRecord.h
// MFT file records: header test, update-sequence fix-ups and the attribute walk. Every test
// leaves its input as it came; sizes are the bytes the caller holds, never a field's word.
#pragma once
#include <stddef.h>
#include <stdint.h>

bool CheckFileRecordHeader(const unsigned char* record, size_t size);
// The update-sequence array: each protected 512-byte stride of the record ends in the sequence
// number. Every stride that the array counts and the record holds is handled.
bool CheckUpdateSequence(const unsigned char* record, size_t size);
bool ApplyUpdateSequence(unsigned char* record, size_t size);
bool ProtectUpdateSequence(unsigned char* record, size_t size);
// Header, fix-ups and attributes; the record is left in its protected form.
bool ValidateFileRecord(unsigned char* record, size_t size);

// The n-th attribute of type (counting from 0) inside the record's first size bytes, or null.
const unsigned char* FindAttribute(const unsigned char* record, size_t size, uint32_t type, uint32_t n);
// Its offset, -1 when absent.
long FindAttributeOffset(const unsigned char* record, size_t size, uint32_t type, uint32_t n);
uint32_t CountAttributes(const unsigned char* record, size_t size, uint32_t type);
bool ValidateAttribute(const unsigned char* attribute, size_t bytesLeft);
bool ValidateAttributes(const unsigned char* record, size_t size);

// A record whose fix-ups are already applied: header and attributes pass their tests, so every
// attribute that the walk finds lies inside the size bytes.
bool IsSoundFileRecord(const unsigned char* record, size_t size);

// A resident attribute's value: false when it is non-resident, or when the attribute does not
// lie inside the bytesLeft bytes from its start or its value does not lie inside it.
bool GetResidentValue(const unsigned char* attribute, size_t bytesLeft, const unsigned char** value,
                      uint32_t* length);
