// engine/filetype/FileTypeRecord.cpp
#include "engine/filetype/FileTypeRecord.h"

#include <algorithm>

#include "engine/filetype/FileTypeTable.h"

namespace {

template <typename Char>
int SetRecord(FileTypeRecord* record, const Char* name, uint8_t length, uint64_t first, uint64_t second)
{
    if (int64_t(first) < 0 || int64_t(second) < 0)
        return 0;
    uint32_t id = FileTypeTable::LookupName(name, length);
    if (!id)
        return 0;
    record->typeId = id;
    record->first = first;
    record->second = second;
    return 1;
}

}  // namespace

int FileTypeRecord::Set(const wchar_t* name, uint8_t length, uint64_t firstPosition, uint64_t secondPosition)
{
    return SetRecord(this, name, length, firstPosition, secondPosition);
}

int FileTypeRecord::Set(const char* name, uint8_t length, uint64_t firstPosition, uint64_t secondPosition)
{
    return SetRecord(this, name, length, firstPosition, secondPosition);
}

void FileTypeRecordList::Insert(const FileTypeRecord& record)
{
    auto at = std::upper_bound(m_records.begin(), m_records.end(), record,
                               [](const FileTypeRecord& a, const FileTypeRecord& b) { return a.second < b.second; });
    m_records.insert(at, record);
}

int FileTypeRecordList::Add(const wchar_t* name, uint8_t length, uint64_t first, uint64_t second)
{
    FileTypeRecord record;
    if (!record.Set(name, length, first, second))
        return 0;
    Insert(record);
    return 1;
}

int FileTypeRecordList::Add(const char* name, uint8_t length, uint64_t first, uint64_t second)
{
    FileTypeRecord record;
    if (!record.Set(name, length, first, second))
        return 0;
    Insert(record);
    return 1;
}

void FileTypeRecordList::CountInRegion(const IFileTypePositionIndex& index, FileTypeRegion* region) const
{
    if (!region)
        return;
    const uint64_t start = region->firstSector;
    // A region that would pass the end of the address space ends there.
    const uint64_t end = start + region->length < start ? ~uint64_t(0) : start + region->length;
    for (const FileTypeRecord& record : m_records) {
        if (record.second < start)
            continue;
        if (record.second >= end)
            break;
        // A scaled position that overflows lies outside every region.
        if (region->scale && record.first > (~uint64_t(0) - start) / region->scale)
            continue;
        uint64_t p = record.first * region->scale + start;
        uint32_t id = 0;
        if (p >= start && p < end && index.GetTypeAt(p, &id) && id == record.typeId)
            ++region->counter;
    }
}
