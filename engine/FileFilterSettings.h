// engine/FileFilterSettings.h
// The filter settings of an engine enumeration: a by-value copy of the caller's settings
// block, its texts as strings (ANSI and UTF-16), its time range put in order, and the
// attribute filter that the block's second flag selects.
#pragma once
#include <windows.h>
#include <stdint.h>

#include <string>

#include "engine/FileFilter.h"

struct FileTimeRange {
    uint32_t kind;
    FILETIME from;
    FILETIME to;
};

struct FileFilterSettingsBlock {
    char name[536];    // NUL-terminated when well formed; never trusted to be
    char text[600];
    FileTimeRange timeRange;
    uint8_t extra[12];
    uint32_t flagA;
    uint32_t flagB;    // non-zero: no attribute filtering
};

class FilterSettingsCopy {
public:
    // Texts are read no further than their arrays, and the copy's arrays always end in a
    // NUL, whatever the caller's block holds.
    explicit FilterSettingsCopy(const FileFilterSettingsBlock& block);
    FilterSettingsCopy(const FilterSettingsCopy&) = delete;  // holds pointers into itself
    FilterSettingsCopy& operator=(const FilterSettingsCopy&) = delete;

    struct NameRecord {
        std::string text;
        uint32_t flag = 0;  // 1 when the block's first flag is set
        std::wstring wide;  // left empty
    };
    struct TextRecord {
        std::string text;
        std::wstring wide;
    };

    const FileFilterSettingsBlock& Block() const { return block_; }
    const NameRecord& Name() const { return name_; }
    const FileTimeRange* TimeRange() const { return timeRange_; }
    const uint8_t* Extra() const { return extra_; }
    const TextRecord& Text() const { return text_; }
    const CFileAttributeFilter& AttributeFilter() const { return attributeFilter_; }

private:
    FileFilterSettingsBlock block_;
    NameRecord name_;
    FileTimeRange* timeRange_ = nullptr;
    uint8_t* extra_ = nullptr;
    TextRecord text_;
    CFileAttributeFilter attributeFilter_;
};

// Stores record in *holder and swaps its times when the from-time is the later one.
void NormalizeFileTimeRange(FileTimeRange** holder, FileTimeRange* record);

// length bytes of text in the ANSI code page as UTF-16, without a leading byte-order mark;
// empty when nothing converts.
std::wstring ConvertToWide(const char* text, size_t length);
