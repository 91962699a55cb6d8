// finder/KeepOrder.cpp
#include "finder/KeepOrder.h"

#include <algorithm>

bool KeepsBefore(const FoundFileRecord& a, const FoundFileRecord& b)
{
    if (a.time != b.time)
        return a.time < b.time;
    const size_t lengthA = a.folder.size() + a.name.size();
    const size_t lengthB = b.folder.size() + b.name.size();
    if (lengthA != lengthB)
        return lengthA < lengthB;
    return a.FullPath() < b.FullPath();  // bytewise, as std::string compares
}

bool LookAlikeKeepsBefore(const FoundFileRecord& a, const FoundFileRecord& b)
{
    const uint64_t pixelsA = uint64_t(a.pixelWidth) * a.pixelHeight;
    const uint64_t pixelsB = uint64_t(b.pixelWidth) * b.pixelHeight;
    if (pixelsA != pixelsB)
        return pixelsA > pixelsB;
    // Equal pixels: the larger file is most often a conversion (a PNG made from the photo), not
    // the original, so the copies' order decides.
    return KeepsBefore(a, b);
}

void SortForKeeping(std::vector<FoundFileRecord*>& group, bool lookAlike)
{
    std::stable_sort(group.begin(), group.end(), [lookAlike](const FoundFileRecord* a, const FoundFileRecord* b) {
        return lookAlike ? LookAlikeKeepsBefore(*a, *b) : KeepsBefore(*a, *b);
    });
}
