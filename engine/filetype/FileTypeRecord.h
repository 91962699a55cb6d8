// engine/filetype/FileTypeRecord.h
// Typed positions found on a volume, and their count inside one region of it.
#pragma once
#include <stdint.h>
#include <wchar.h>

#include <vector>

struct FileTypeRecord {
    uint32_t typeId = 0;
    uint64_t first = ~uint64_t(0);
    uint64_t second = ~uint64_t(0);

    // 1 when the name has a known type and neither position is negative (as a signed
    // number); the record is left unchanged otherwise.
    int Set(const wchar_t* name, uint8_t length, uint64_t firstPosition, uint64_t secondPosition);
    int Set(const char* name, uint8_t length, uint64_t firstPosition, uint64_t secondPosition);
};

// What the count compares with: the type recorded at a position, if any.
class IFileTypePositionIndex {
public:
    virtual ~IFileTypePositionIndex() {}
    virtual bool GetTypeAt(uint64_t position, uint32_t* typeId) const = 0;
};

struct FileTypeRegion {
    uint32_t scale = 1;
    uint64_t firstSector = 0;
    uint32_t counter = 0;
    uint64_t length = 0;
};

// Records kept in order of their second position.
class FileTypeRecordList {
public:
    int Add(const wchar_t* name, uint8_t length, uint64_t first, uint64_t second);
    int Add(const char* name, uint8_t length, uint64_t first, uint64_t second);
    void Clear() { m_records.clear(); }
    size_t Count() const { return m_records.size(); }
    const std::vector<FileTypeRecord>& Records() const { return m_records; }
    // Adds to region->counter one for each record inside the region whose scaled position
    // holds the same type in the index.
    void CountInRegion(const IFileTypePositionIndex& index, FileTypeRegion* region) const;

private:
    void Insert(const FileTypeRecord& record);
    std::vector<FileTypeRecord> m_records;
};
