// engine/fat/FatDirEntry.cpp
#include "engine/fat/FatDirEntry.h"

#include <stdio.h>
#include <string.h>

#include "engine/EngineSettings.h"
#include "engine/device/LittleEndian.h"
#include "engine/fat/FatLayout.h"
#include "engine/volume/WideToAnsi.h"

using namespace fatlayout;

namespace {

bool IsValidDate(uint16_t date)
{
    if (date == 0)
        return true;
    uint32_t day = date & 0x1F;
    uint32_t month = (date >> 5) & 0x0F;
    return day != 0 && month >= 1 && month <= 12;
}

bool IsValidTime(uint16_t time)
{
    if (time == 0)
        return true;
    return (time & 0x1F) < 30 && ((time >> 5) & 0x3F) < 60 && (time >> 11) < 24;
}

bool IsShortNameByteForbidden(unsigned char c)
{
    return c <= 0x19 || strchr("\"\\*/:<>?|", c) != nullptr;
}

// The 11 name bytes: no leading space, no control or reserved characters; a byte of 0x80 or
// above starts a double-byte character whose second byte is taken as it is.
bool IsValidShortName(const unsigned char* name)
{
    if (name[0] == ' ')
        return false;
    for (size_t i = 0; i < 11; ++i) {
        if (name[i] >= 0x80) {
            ++i;
            continue;
        }
        if (IsShortNameByteForbidden(name[i]))
            return false;
    }
    return true;
}

// Bytes 11 to 31 of a damaged sector tend to repeat one value; a real entry rarely repeats
// any non-zero byte 11 times. The counters are local, so entries may be tested on any thread.
bool HasRepeatedBytes(const unsigned char* entry)
{
    unsigned counts[256] = {};
    for (size_t i = kAttributes; i < kEntrySize; ++i)
        if (entry[i] && ++counts[entry[i]] >= 11)
            return true;
    return false;
}

}  // namespace

bool FatDirEntry::IsDirectory() const { return (m_entry[kAttributes] & kAttrDirectory) != 0; }
bool FatDirEntry::IsLongName() const { return m_entry[kAttributes] == kAttrLongName; }
uint32_t FatDirEntry::GetAttributes() const { return m_entry[kAttributes]; }
uint32_t FatDirEntry::GetFileSize() const { return GetU32(m_entry + kFileSize); }

bool FatDirEntry::IsVolumeLabel() const
{
    uint8_t attributes = m_entry[kAttributes];
    return !(attributes & kAttrHidden) && (attributes == 0x08 || attributes == 0x28);
}

uint32_t FatDirEntry::GetFirstCluster() const
{
    return (uint32_t(GetU16(m_entry + kClusterHigh)) << 16) | GetU16(m_entry + kClusterLow);
}

bool FatDirEntry::NameEquals(const char* name8, const char* extension3) const
{
    return memcmp(m_entry + kName, name8, 8) == 0 && memcmp(m_entry + kExtension, extension3, 3) == 0;
}

int FatDirEntry::IsValid(bool strict) const
{
    const unsigned char* e = m_entry;
    uint8_t attributes = e[kAttributes];
    if (attributes == kAttrLongName && GetU16(e + kClusterLow) == 0)
        return 1;
    uint32_t word8 = GetU32(e + 8);
    if (word8 == GetU32(e + 12) && word8 != 32)
        return 0;
    if (attributes > 0x3F)
        return 0;
    bool label = IsVolumeLabel();
    if (!label && (attributes & kAttrVolumeLabel))
        return 0;
    if (strict) {
        uint32_t size = GetFileSize();
        if (!IsDirectory()) {
            bool hasCluster = GetFirstCluster() != 0;
            if (hasCluster != (size != 0))
                return 0;
        } else if (size != 0 && GetU16(e + kClusterHigh) != 0) {
            return 0;
        }
    }
    const EngineSettings* settings = GetEngineSettings();
    if (settings->bCheckFatEntryDates &&
        (!IsValidDate(GetU16(e + kCreationDate)) || !IsValidDate(GetU16(e + kWriteDate)) ||
         !IsValidDate(GetU16(e + kAccessDate))))
        return 0;
    if (settings->bCheckFatEntryTimes && (!IsValidTime(GetU16(e + kCreationTime)) || !IsValidTime(GetU16(e + kWriteTime))))
        return 0;
    if (attributes & 0x40)
        return 0;
    if (label)
        return 1;
    if (!IsValidShortName(e + kName))
        return 0;
    return HasRepeatedBytes(e) ? 0 : 1;
}

void FormatShortName(const unsigned char* entry, char* out, size_t size, bool noDot)
{
    if (!out || size == 0)
        return;
    char name[9];
    char extension[4];
    memcpy(name, entry + kName, 8);
    name[8] = 0;
    for (int i = 7; i >= 0 && name[i] == ' '; --i)
        name[i] = 0;
    if (static_cast<unsigned char>(name[0]) == 0xE5)
        name[0] = '#';
    memcpy(extension, entry + kExtension, 3);
    extension[3] = 0;
    for (int i = 2; i >= 0 && extension[i] == ' '; --i)
        extension[i] = 0;
    // Name bytes may hold NULs; the texts then stop there, as the C strings they become.
    if (extension[0])
        snprintf(out, size, noDot ? "%s%s" : "%s.%s", name, extension);
    else
        snprintf(out, size, "%s", name);
}

void FormatVolumeLabel(const unsigned char* entry, char* out, size_t size)
{
    if (!out || size == 0)
        return;
    // One 11-byte field: inner spaces belong to the label, only the padding goes.
    unsigned char bytes[11];
    memcpy(bytes, entry + kName, sizeof(bytes));
    uint32_t length = sizeof(bytes);
    while (length > 0 && (bytes[length - 1] == ' ' || bytes[length - 1] == 0))
        --length;
    // A name byte 0xE5 is stored as 0x05, so that it is not taken for a deleted entry.
    if (length > 0 && bytes[0] == 0x05)
        bytes[0] = 0xE5;
    for (uint32_t i = 0; i < length; ++i)
        if (bytes[i] == 0) {
            length = i;
            break;
        }
    if (!OemTextToAnsi(bytes, length, out, uint32_t(size < 0xFFFFFFFF ? size : 0xFFFFFFFF)))
        out[0] = 0;
}

bool IsValidFatCluster(uint64_t cluster)
{
    return (cluster >> 32) == 0 && cluster >= 2 && cluster < 0x0FFFFFF0;
}
