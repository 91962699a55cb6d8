// engine/filetype/FileTypeTable.cpp
#include "engine/filetype/FileTypeTable.h"

#include <string.h>

#include <map>

namespace {

// Rows of 9 bytes: an ASCII extension of at most 5 characters padded with zeros.
const char kRows[FileTypeTable::kRowCount][9] = {
    "Raw", "3DS", "3GP", "ADP", "ANI", "AI", "ASF", "WMA", "WMV", "AU", "AVI", "BMP", "CAB", "CDR",
    "CHM", "CLK", "CMX", "CPT", "CRW", "CSL", "CUR", "DBX", "DLL", "DOC", "DWG", "DXF", "EMF", "EPS",
    "EXE", "FH11", "GIF", "GZ", "HLP", "HTM", "ICO", "JPG", "LZH", "MAX", "MID", "MDB", "MNY", "MOF",
    "MOV", "MP3", "MP4", "M4A", "M4V", "MPP", "OLE", "ONE", "PDF", "PNG", "PPT", "PUB", "PSD", "PSP",
    "PST", "QPW", "RAR", "RIFF", "RTF", "SHW", "SWF", "TAR", "TIF", "TTF", "VSD", "WAV", "WPD", "WPG",
    "WMF", "XLS", "ZIP", "DOCX", "XLSX", "PPTX", "ACCDB", "NEF",
};

const size_t kMaxKeyLength = 5;

// Up to five UTF-16 units, compared without regard to ASCII case (every name in the table
// is ASCII, so no other folding can make two keys equal).
struct ExtensionKey {
    uint16_t length = 0;
    uint16_t units[kMaxKeyLength + 1] = {0};
};

uint16_t FoldUnit(uint16_t unit) { return (unit >= 'a' && unit <= 'z') ? uint16_t(unit - 'a' + 'A') : unit; }

struct KeyLess {
    bool operator()(const ExtensionKey& a, const ExtensionKey& b) const
    {
        for (size_t i = 0; i <= kMaxKeyLength; ++i) {
            uint16_t x = FoldUnit(a.units[i]), y = FoldUnit(b.units[i]);
            if (x != y)
                return x < y;
            if (!x)
                return false;
        }
        return false;
    }
};

std::map<ExtensionKey, uint32_t, KeyLess> BuildExtensionMap();

// Built once by the first caller, whichever thread it is on: the initialisation of a
// function-local static is serialised, so a second thread waits instead of reading a map that
// is half filled.
const std::map<ExtensionKey, uint32_t, KeyLess>& ExtensionMap()
{
    static const std::map<ExtensionKey, uint32_t, KeyLess> map = BuildExtensionMap();
    return map;
}

template <typename Char>
bool SplitExtensionOf(const Char* name, uint8_t length, Char* out, uint8_t* extensionLength)
{
    if (!name || !out || !extensionLength || length < 3)
        return false;
    int dot = -1;
    for (int i = int(length) - 1; i >= 0; --i) {
        if (name[i] == '.') {
            dot = i;
            break;
        }
    }
    if (dot <= 0)
        return false;
    size_t after = size_t(length) - size_t(dot) - 1;
    if (after > kMaxSplitExtension)
        return false;
    for (size_t i = 0; i < after; ++i)
        out[i] = name[dot + 1 + i];
    *extensionLength = uint8_t(after);
    return true;
}

}  // namespace

bool SplitExtension(const wchar_t* name, uint8_t length, wchar_t* out, uint8_t* extensionLength)
{
    return SplitExtensionOf(name, length, out, extensionLength);
}

bool SplitExtension(const char* name, uint8_t length, char* out, uint8_t* extensionLength)
{
    return SplitExtensionOf(name, length, out, extensionLength);
}

namespace {
std::map<ExtensionKey, uint32_t, KeyLess> BuildExtensionMap()
{
    std::map<ExtensionKey, uint32_t, KeyLess> map;
    for (uint32_t row = 1; row < FileTypeTable::kRowCount; ++row) {
        ExtensionKey key;
        for (size_t i = 0; i < kMaxKeyLength && kRows[row][i]; ++i)
            key.units[key.length++] = static_cast<unsigned char>(kRows[row][i]);
        map[key] = row;
    }
    return map;
}
}  // namespace

void FileTypeTable::Load() { ExtensionMap(); }

uint32_t FileTypeTable::Lookup(const wchar_t* extension, uint8_t length)
{
    // Longer texts cannot be a key; cutting them would make "JPGXYZ" look like "JPGXY".
    if (!extension || length == 0 || length > kMaxKeyLength)
        return 0;
    Load();
    ExtensionKey key;
    for (uint8_t i = 0; i < length; ++i) {
        // wchar_t is 32 bits natively: a unit beyond UTF-16 is in no key.
        const uint32_t unit = static_cast<uint32_t>(extension[i]);
        if (!unit || unit > 0xFFFF)
            return 0;
        key.units[key.length++] = uint16_t(unit);
    }
    auto found = ExtensionMap().find(key);
    return found == ExtensionMap().end() ? 0 : found->second;
}

uint32_t FileTypeTable::LookupName(const wchar_t* name, uint8_t length)
{
    wchar_t extension[kMaxSplitExtension];
    uint8_t extensionLength = 0;
    if (!SplitExtension(name, length, extension, &extensionLength))
        return 0;
    return Lookup(extension, extensionLength);
}

uint32_t FileTypeTable::LookupName(const char* name, uint8_t length)
{
    char extension[kMaxSplitExtension];
    uint8_t extensionLength = 0;
    if (!SplitExtension(name, length, extension, &extensionLength))
        return 0;
    wchar_t wide[kMaxSplitExtension];
    for (uint8_t i = 0; i < extensionLength; ++i)
        wide[i] = static_cast<unsigned char>(extension[i]);
    return Lookup(wide, extensionLength);
}

const char* FileTypeTable::RowName(uint32_t id) { return id < kRowCount ? kRows[id] : ""; }
