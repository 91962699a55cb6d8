// ui/startpage/LocationText.cpp
#include "ui/startpage/LocationText.h"

#include "app/SafeFormat.h"

bool IsDriveLocation(const std::string& location)
{
    return !location.empty() && location.size() < 4;
}

std::string LocationDisplayText(const std::string& location, const std::string& localDiskFormat)
{
    if (location.empty())
        return "";
    if (IsDriveLocation(location)) {
        const int letter = static_cast<unsigned char>(location[0]);
        return SafeFormat(localDiskFormat, GetBuiltInEnglishString("Localdisk").c_str(), {letter});
    }
    size_t end = location.size();
    while (end > 0 && location[end - 1] == '\\')
        --end;
    const size_t slash = location.rfind('\\', end ? end - 1 : 0);
    const size_t begin = slash == std::string::npos ? 0 : slash + 1;
    return location.substr(begin, end > begin ? end - begin : 0);
}
