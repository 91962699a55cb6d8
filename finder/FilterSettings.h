// finder/FilterSettings.h
// What the user chose to search for. Each list is a lower-case concatenation of ".ext;" entries;
// membership is a substring search for the entry. Written by the start page and the filter
// dialogs while no scan runs, read by the filter.
#pragma once
#include <stdint.h>
#include <string>

extern const char* const kDefaultPictureList;

struct FilterSettings
{
    std::string typeList1;  // Photo
    std::string pictureList = kDefaultPictureList;
    std::string typeList2;  // OfficeDoc
    std::string typeList3;  // Video
    std::string typeList4;  // Music
    std::string typeList5;  // Other
    int64_t maximumSize = 0;  // 0 or less: no upper bound
    int64_t minimumSize = 0;  // 0 or less: no lower bound
    uint8_t includeHidden = 1;
    uint8_t allTypes = 1;     // every kind chosen: the type lists leave no file out
};
