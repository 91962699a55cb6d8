// finder/FoundFileRecord.h
// The records and containers that the finder fills and the pages read.
#pragma once
#include <stdint.h>
#include <map>
#include <string>

#include "finder/SharedFolder.h"

// One file that the walk accepted. Full path = folder + name (folder ends in a backslash).
struct FoundFileRecord
{
    std::string name;
    SharedFolder folder;  // one text for all the records of a folder
    int64_t size = 0;
    uint32_t attributes = 0;  // attribute byte of the file (0x02 hidden), widened
    uint8_t flags = 0;        // bit 0: removed by the results page
    uint64_t time = 0;        // last-write FILETIME as one value
    // Pictures only, as far as the picture matcher learnt them (0: not known).
    uint32_t pixelWidth = 0;
    uint32_t pixelHeight = 0;
    // In a look-alike group: members with one non-zero value are byte-for-byte copies of each
    // other (confirmed by content, like exact groups); 0 where nothing was compared.
    uint32_t copyClass = 0;

    std::string FullPath() const { return folder + name; }
};

enum { kRecordRemoved = 0x01 };

// A field-by-field copy (name, folder, size, attributes, flag bit 0, time); null when out of memory.
FoundFileRecord* CopyFoundFileRecord(const FoundFileRecord& source);

// One picture waiting for, or kept after, comparison. The record belongs to the scan result.
struct PictureRecord
{
    FoundFileRecord* record = nullptr;
    unsigned char hash[64] = {};
};

// Group key -> record; equal keys keep their order of insertion.
typedef std::multimap<std::string, FoundFileRecord*> FileGroupMap;
// Earlier kept picture -> a later picture found similar to it; one entry per match.
typedef std::multimap<FoundFileRecord*, FoundFileRecord*> SimilarPicturePairs;

struct CategoryTotals
{
    int32_t fileCount = 0;
    int64_t totalBytes = 0;
};
typedef std::map<int, CategoryTotals> CategoryStatistics;

enum FileCategoryId
{
    kCategoryAllFiles = 0,
    kCategoryPhoto = 1,
    kCategoryVideo = 2,
    kCategoryOfficeDoc = 3,
    kCategoryMusic = 4,
    kCategoryOther = 5,
};

// "AllFiles", "Photo", "Video", "OfficeDoc", "Music", "Other"; empty for another number.
const char* CategoryKeyText(int category);

// FILETIME value -> milliseconds since 1970-01-01 UTC.
int64_t FileTimeToUnixMilliseconds(uint64_t fileTime);
