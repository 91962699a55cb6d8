// engine/ntfs/NtfsRecord.cpp
#include "engine/ntfs/NtfsRecord.h"

#include <string.h>

#include "engine/device/LittleEndian.h"
#include "engine/ntfs/NtfsDataRuns.h"
#include "engine/ntfs/NtfsLayout.h"

using namespace ntfslayout;

namespace {

// Protected strides: those the array counts, limited to the strides the record holds.
uint32_t ProtectedStrides(const unsigned char* record, size_t size)
{
    uint32_t count = GetU16(record + kUsaCount);
    uint32_t strides = count ? count - 1 : 0;
    return strides < size / kUsaStride ? strides : uint32_t(size / kUsaStride);
}

bool UsaFits(const unsigned char* record, size_t size)
{
    if (!record || size < 1024)
        return false;
    size_t offset = GetU16(record + kUsaOffset);
    size_t count = GetU16(record + kUsaCount);
    // The array lives in the first stride, before the tail it protects: one that reaches the
    // stride's last two bytes would be rewritten by its own fix-up.
    return count >= 1 && offset + 2 * count <= kUsaStride - 2;
}

// Walks the attribute headers; visit returns false to stop. The end limit is the smaller of
// the fixed walk end and the bytes the caller holds.
template <typename Visit>
void WalkAttributes(const unsigned char* record, size_t size, bool stopAtEnd, Visit visit)
{
    if (!record || size < 24)
        return;
    const size_t end = size < kAttributeWalkEnd ? size : kAttributeWalkEnd;
    size_t offset = GetU16(record + kFirstAttribute);
    while (offset + 8 <= end) {
        uint32_t type = GetU32(record + offset + kAttrType);
        if (stopAtEnd && type == kTypeEnd)
            return;
        uint32_t length = GetU32(record + offset + kAttrLength);
        if (length == 0)
            return;
        if (!visit(offset, type, length))
            return;
        if (length >= end - offset)
            return;
        offset += length;
    }
}

bool IsForbiddenNameUnit(uint32_t unit)
{
    switch (unit) {
    case '"': case '*': case '/': case ':': case '<': case '>': case '?': case '\\': case '|':
        return true;
    default:
        return false;
    }
}

bool IsValidFileNameAttribute(const unsigned char* attribute, size_t bytesLeft)
{
    const unsigned char* value;
    uint32_t length;
    if (!GetResidentValue(attribute, bytesLeft, &value, &length) || length < kFileNameUnits - kResidentHeaderSize)
        return false;
    uint32_t units = value[kFileNameLength - kResidentHeaderSize];
    if (kFileNameUnits - kResidentHeaderSize + 2 * size_t(units) > length)
        return false;
    for (uint32_t i = 0; i < units; ++i) {
        uint32_t unit = GetU16(value + kFileNameUnits - kResidentHeaderSize + 2 * i);
        if (unit == 0)
            break;
        if (IsForbiddenNameUnit(unit))
            return false;
    }
    return true;
}

}  // namespace

bool CheckFileRecordHeader(const unsigned char* record, size_t size)
{
    if (!record || size < 48 || memcmp(record + kRecordMagic, "FILE", 4) != 0)
        return false;
    uint32_t count = GetU16(record + kUsaCount);
    uint32_t allocated = GetU32(record + kBytesAllocated);
    uint32_t offset = GetU16(record + kUsaOffset);
    if (count == 0 || count > 16 || allocated > 4096 || allocated % 1024 != 0)
        return false;
    if (count - 1 > allocated / 512)
        return false;
    return offset >= 42 && offset <= 256;
}

bool CheckUpdateSequence(const unsigned char* record, size_t size)
{
    if (!UsaFits(record, size))
        return false;
    const unsigned char* usa = record + GetU16(record + kUsaOffset);
    uint16_t sequence = GetU16(usa);
    uint32_t strides = ProtectedStrides(record, size);
    for (uint32_t i = 0; i < strides; ++i)
        if (GetU16(record + kUsaStride - 2 + kUsaStride * i) != sequence)
            return false;
    return true;
}

bool ApplyUpdateSequence(unsigned char* record, size_t size)
{
    if (!CheckUpdateSequence(record, size))
        return false;
    const unsigned char* usa = record + GetU16(record + kUsaOffset);
    uint32_t strides = ProtectedStrides(record, size);
    for (uint32_t i = 0; i < strides; ++i)
        memcpy(record + kUsaStride - 2 + kUsaStride * i, usa + 2 + 2 * i, 2);
    return true;
}

bool ProtectUpdateSequence(unsigned char* record, size_t size)
{
    if (!UsaFits(record, size))
        return false;
    unsigned char* usa = record + GetU16(record + kUsaOffset);
    uint32_t strides = ProtectedStrides(record, size);
    for (uint32_t i = 0; i < strides; ++i) {
        unsigned char* tail = record + kUsaStride - 2 + kUsaStride * i;
        memcpy(usa + 2 + 2 * i, tail, 2);
        memcpy(tail, usa, 2);
    }
    return true;
}

bool ValidateFileRecord(unsigned char* record, size_t size)
{
    if (!record || size < 1024 || !CheckFileRecordHeader(record, size))
        return false;
    bool fixed = ApplyUpdateSequence(record, size);
    bool valid = ValidateAttributes(record, size);
    if (fixed)
        ProtectUpdateSequence(record, size);
    return valid;
}

bool IsSoundFileRecord(const unsigned char* record, size_t size)
{
    return record && size >= 1024 && CheckFileRecordHeader(record, size) && ValidateAttributes(record, size);
}

const unsigned char* FindAttribute(const unsigned char* record, size_t size, uint32_t type, uint32_t n)
{
    long offset = FindAttributeOffset(record, size, type, n);
    return offset < 0 ? nullptr : record + offset;
}

long FindAttributeOffset(const unsigned char* record, size_t size, uint32_t type, uint32_t n)
{
    long found = -1;
    uint32_t seen = 0;
    WalkAttributes(record, size, true, [&](size_t offset, uint32_t t, uint32_t) {
        if (t == type && seen++ == n) {
            found = long(offset);
            return false;
        }
        return true;
    });
    return found;
}

uint32_t CountAttributes(const unsigned char* record, size_t size, uint32_t type)
{
    uint32_t count = 0;
    WalkAttributes(record, size, false, [&](size_t, uint32_t t, uint32_t length) {
        if (length >= 1024)
            return false;
        if (t == type)
            ++count;
        return true;
    });
    return count;
}

bool ValidateAttribute(const unsigned char* a, size_t bytesLeft)
{
    if (!a || bytesLeft < 16)
        return false;
    uint32_t length = GetU32(a + kAttrLength);
    if (length > bytesLeft)
        return false;
    if (a[kAttrNonResident]) {
        // The header must lie inside the attribute before its fields are believed.
        if (length < kNonResidentHeaderSize)
            return false;
        uint32_t runs = GetU16(a + kAttrRunsOffset);
        if (runs > length)
            return false;
        if (GetU32(a + kAttrType) == kTypeData && !IsValidDataRuns(a + runs, length - runs))
            return false;
        return true;
    }
    if (length < kResidentHeaderSize)
        return false;
    return uint64_t(GetU16(a + kAttrValueOffset)) + GetU32(a + kAttrValueLength) <= length;
}

bool ValidateAttributes(const unsigned char* record, size_t size)
{
    bool valid = true;
    WalkAttributes(record, size, true, [&](size_t offset, uint32_t type, uint32_t) {
        const unsigned char* a = record + offset;
        if (!ValidateAttribute(a, size - offset) || (type == kTypeFileName && !IsValidFileNameAttribute(a, size - offset))) {
            valid = false;
            return false;
        }
        return true;
    });
    return valid;
}

bool GetResidentValue(const unsigned char* a, size_t bytesLeft, const unsigned char** value, uint32_t* length)
{
    if (!a || bytesLeft < kResidentHeaderSize || a[kAttrNonResident])
        return false;
    uint32_t attributeLength = GetU32(a + kAttrLength);
    uint32_t offset = GetU16(a + kAttrValueOffset);
    uint32_t valueLength = GetU32(a + kAttrValueLength);
    if (attributeLength < kResidentHeaderSize || attributeLength > bytesLeft ||
        uint64_t(offset) + valueLength > attributeLength)
        return false;
    *value = a + offset;
    *length = valueLength;
    return true;
}
