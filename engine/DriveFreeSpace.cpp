// engine/DriveFreeSpace.cpp
#include "engine/DriveFreeSpace.h"

#include <stdio.h>

std::string DriveSizeText(uint64_t bytes, uint64_t scale)
{
    const uint64_t kGiB = 1073741824;
    const bool gigabytes = scale > kGiB;
    char number[64];
    snprintf(number, sizeof(number), "%.2f %s", double(bytes) / (gigabytes ? double(kGiB) : 1048576.0),
             gigabytes ? "GB" : "MB");
    return number;
}

int BuildDriveFreeSpaceText(uint64_t totalBytes, uint64_t freeBytes, const std::string& freeOf,
                            std::string& text, float& usedPercent)
{
    if (totalBytes <= 100)
        return -1;
    // Only numbers and the unit go through the format; the translated text is appended as
    // it is, so a '%' in a translation cannot reach printf.
    text = DriveSizeText(freeBytes, totalBytes) + " " + freeOf + " " + DriveSizeText(totalBytes, totalBytes);
    const uint64_t used = freeBytes < totalBytes ? totalBytes - freeBytes : 0;
    usedPercent = float(double(used) * 100.0 / double(totalBytes));
    return 0;
}

std::string DriveFreeOfText(const LangLookup& lookup)
{
    std::string text = lookup ? lookup("FreeOf") : std::string();
    return text.empty() ? std::string("free of") : text;
}
