// finder/FoundFileRecord.cpp
#include "finder/FoundFileRecord.h"

#include <new>

FoundFileRecord* CopyFoundFileRecord(const FoundFileRecord& source)
{
    FoundFileRecord* copy = new (std::nothrow) FoundFileRecord;
    if (!copy)
        return nullptr;
    copy->name = source.name;
    copy->folder = source.folder;
    copy->size = source.size;
    copy->attributes = source.attributes;
    copy->flags = source.flags & kRecordRemoved;
    copy->time = source.time;
    return copy;
}

const char* CategoryKeyText(int category)
{
    static const char* const kKeys[] = {"AllFiles", "Photo", "Video", "OfficeDoc", "Music", "Other"};
    if (category < 0 || category > 5)
        return "";
    return kKeys[category];
}

int64_t FileTimeToUnixMilliseconds(uint64_t fileTime)
{
    return (int64_t(fileTime) - 116444736000000000LL) / 10000;
}
