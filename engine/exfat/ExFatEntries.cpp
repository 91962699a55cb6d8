// engine/exfat/ExFatEntries.cpp
#include "engine/exfat/ExFatEntries.h"

#include "engine/device/LittleEndian.h"
#include "engine/exfat/ExFatLayout.h"

using namespace exfatlayout;

namespace {

// Units below 256 that a name may not hold: the control units and the characters Windows
// forbids in names. 0xFF is y with diaeresis, which exFAT names and labels may hold.
bool IsAllowedNameUnit(uint32_t unit)
{
    if (unit >= 256)
        return true;
    if (unit <= 0x19)
        return false;
    switch (unit) {
    case '"': case '*': case '/': case ':': case '<': case '>': case '?': case '\\': case '|':
        return false;
    default:
        return true;
    }
}

bool AllZero(const unsigned char* p, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        if (p[i])
            return false;
    return true;
}

// length >> lengthShift below the limit, and when contiguous, the last cluster below the bad
// marks. Shifts of 64 or more would be undefined; a valid boot sector never gives them.
bool LengthFits(uint64_t length, uint32_t lengthShift, uint64_t limit)
{
    return lengthShift < 64 && (length >> lengthShift) < limit;
}

bool ClusterRunFits(uint64_t length, uint32_t clusterShift, uint32_t firstCluster)
{
    return clusterShift < 64 && (length >> clusterShift) + firstCluster < kClusterBad;
}

bool IsValidTableEntry(const unsigned char* e, uint32_t lengthShift, uint32_t clusterShift, uint64_t limit)
{
    uint32_t first = GetU32(e + kTableFirstCluster);
    uint64_t length = GetU64(e + kTableDataLength);
    return first >= 2 && first <= 0xFFFFFFF5 && LengthFits(length, lengthShift, limit) &&
           ClusterRunFits(length, clusterShift, first);
}

}  // namespace

bool IsValidExFatTimestamp(uint32_t t)
{
    uint32_t day = (t >> 16) & 0x1F;
    uint32_t month = (t >> 21) & 0x0F;
    uint32_t hour = (t >> 11) & 0x1F;
    uint32_t minute = (t >> 5) & 0x3F;
    uint32_t twoSeconds = t & 0x1F;
    return day != 0 && month >= 1 && month <= 12 && hour <= 23 && minute <= 59 && twoSeconds < 30;
}

bool IsValidFileEntry(const unsigned char* e)
{
    uint32_t secondaries = e[kFileSecondaryCount];
    return secondaries >= 2 && secondaries <= 18 && IsValidExFatTimestamp(GetU32(e + kFileCreate)) &&
           IsValidExFatTimestamp(GetU32(e + kFileModify)) && IsValidExFatTimestamp(GetU32(e + kFileAccess)) &&
           e[kFileCreate10ms] <= 199 && e[kFileModify10ms] <= 199 && GetU16(e + kFileReserved1) == 0 &&
           AllZero(e + kFileReserved2, 7);
}

bool IsValidStreamEntry(const unsigned char* e, uint32_t lengthShift, uint32_t clusterShift, uint64_t limit)
{
    if (GetU16(e + kStreamReserved2) != 0 || GetU32(e + kStreamReserved3) != 0)
        return false;
    uint32_t first = GetU32(e + kStreamFirstCluster);
    if (first != 0 && (first < 2 || first > 0xFFFFFFF6))
        return false;
    uint64_t length = GetU64(e + kStreamDataLength);
    uint64_t valid = GetU64(e + kStreamValidLength);
    if (!LengthFits(length, lengthShift, limit) || !LengthFits(valid, lengthShift, limit))
        return false;
    if (first != 0 && (e[kStreamFlags] & 0x02))
        return ClusterRunFits(length, clusterShift, first) && ClusterRunFits(valid, clusterShift, first);
    return true;
}

bool IsValidFileNameEntry(const unsigned char* e)
{
    if (e[kNameFlags] != 0 || GetU16(e + kNameUnits) == 0)
        return false;
    for (size_t i = 0; i < 15; ++i) {
        uint32_t unit = GetU16(e + kNameUnits + 2 * i);
        if (unit == 0)
            break;
        if (!IsAllowedNameUnit(unit))
            return false;
    }
    return true;
}

bool IsValidVolumeLabelEntry(const unsigned char* e)
{
    uint32_t count = e[kLabelCount];
    if (count > kLabelMaxUnits)
        return false;
    for (uint32_t i = 0; i < kLabelMaxUnits; ++i) {
        uint32_t unit = GetU16(e + kLabelUnits + 2 * i);
        if (i < count ? !IsAllowedNameUnit(unit) : unit != 0)
            return false;
    }
    return AllZero(e + kLabelReserved, 8);
}

bool IsValidBitmapEntry(const unsigned char* e, uint32_t lengthShift, uint32_t clusterShift, uint64_t limit)
{
    // Byte 1 holds the bitmap flags, which are not tested.
    return AllZero(e + 2, 18) && IsValidTableEntry(e, lengthShift, clusterShift, limit);
}

bool IsValidUpcaseEntry(const unsigned char* e, uint32_t lengthShift, uint32_t clusterShift, uint64_t limit)
{
    // Bytes 4-7 hold the table checksum, which is not tested.
    return AllZero(e + 1, 3) && AllZero(e + 8, 12) && IsValidTableEntry(e, lengthShift, clusterShift, limit);
}

bool WalkExFatRootCluster(const unsigned char* cluster, size_t bytes, uint16_t* label, uint32_t lengthShift,
                          uint32_t clusterShift, uint64_t limit)
{
    if (!cluster || bytes < kEntrySize)
        return false;
    for (size_t offset = 0; offset + kEntrySize <= bytes; offset += kEntrySize) {
        const unsigned char* e = cluster + offset;
        bool valid;
        switch (e[0]) {
        case 0x03: case 0x83:
            valid = IsValidVolumeLabelEntry(e);
            // 0x03 is a label entry not in use: the label was removed, its old text remains.
            if (valid && label && e[0] == kTypeLabel && e[kLabelCount] > 0) {
                uint32_t count = e[kLabelCount];
                for (uint32_t i = 0; i < kLabelMaxUnits; ++i)
                    label[i] = GetU16(e + kLabelUnits + 2 * i);
                label[count < kLabelMaxUnits ? count : kLabelMaxUnits] = 0;
            }
            break;
        case 0x05: case 0x85:
            valid = IsValidFileEntry(e);
            break;
        case 0x40: case 0xC0:
            valid = e[kStreamReserved1] == 0 && IsValidStreamEntry(e, lengthShift, clusterShift, limit);
            break;
        case 0x41: case 0xC1:
            valid = IsValidFileNameEntry(e);
            break;
        case 0x81:
            valid = IsValidBitmapEntry(e, lengthShift, clusterShift, limit);
            break;
        case 0x82:
            valid = IsValidUpcaseEntry(e, lengthShift, clusterShift, limit);
            break;
        default:
            valid = false;
            break;
        }
        if (!valid)
            return true;
    }
    return false;
}
