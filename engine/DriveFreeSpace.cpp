// engine/DriveFreeSpace.cpp
#include "engine/DriveFreeSpace.h"

#include <stdio.h>

int BuildDriveFreeSpaceText(uint64_t totalBytes, uint64_t freeBytes, const std::string& freeOf,
                            std::string& text, float& usedPercent)
{
    if (totalBytes <= 100)
        return -1;
    const uint64_t kGiB = 1073741824;
    const bool gigabytes = totalBytes > kGiB;
    const double divisor = gigabytes ? double(kGiB) : 1048576.0;
    const char* unit = gigabytes ? "GB" : "MB";
    // Only numbers and the unit go through the format; the translated text is appended as
    // it is, so a '%' in a translation cannot reach printf.
    char number[64];
    snprintf(number, sizeof(number), "%.2f %s ", double(freeBytes) / divisor, unit);
    std::string built = number;
    built += freeOf;
    snprintf(number, sizeof(number), " %.2f %s", double(totalBytes) / divisor, unit);
    built += number;
    const uint64_t used = freeBytes < totalBytes ? totalBytes - freeBytes : 0;
    text = built;
    usedPercent = float(double(used) * 100.0 / double(totalBytes));
    return 0;
}

std::string DriveFreeOfText(const LangLookup& lookup)
{
    std::string text = lookup ? lookup("FreeOf") : std::string();
    return text.empty() ? std::string("free of") : text;
}
