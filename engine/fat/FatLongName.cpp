// engine/fat/FatLongName.cpp
#include "engine/fat/FatLongName.h"

#include <string.h>

#include "engine/device/LittleEndian.h"
#include "engine/volume/Volume.h"
#include "engine/volume/WideToAnsi.h"

int LongNameToAnsi(const unsigned char* entry, char* out, size_t size)
{
    if (!entry || !out || size == 0)
        return 0;
    static const size_t kUnitOffsets[13] = {1, 3, 5, 7, 9, 14, 16, 18, 20, 22, 24, 28, 30};
    uint16_t units[13];
    uint32_t length = 0;
    // Only the 13 units the entry holds are converted; a name shorter than that ends in a NUL
    // unit and 0xFFFF padding.
    while (length < 13) {
        uint16_t unit = GetU16(entry + kUnitOffsets[length]);
        if (unit == 0)
            break;
        units[length++] = unit;
    }
    return WideToAnsi(units, length, out, uint32_t(size < 100 ? size : 100));
}

int IsValidLongName(const char* text)
{
    return text && text[0] && strpbrk(text, "?*|\\/:\"<>") == nullptr ? 1 : 0;
}

int DetectFatTypeFromTable(const unsigned char* sector, uint32_t* type)
{
    if (!sector || !type)
        return 0;
    uint32_t entry0 = GetU32(sector);
    uint32_t entry1 = GetU32(sector + 4);
    // FAT16's two media entries read as the u32 0xFFFFFFF8, which the masked FAT32 test would
    // also accept: the exact FAT16 form is taken first (FAT32 formatters leave the reserved top
    // bits of entry 0 clear).
    if (entry0 == 0xFFFFFFF8) {
        *type = kFsFat16;
        return 1;
    }
    if ((entry0 & 0x0FFFFFFF) == 0x0FFFFFF8 && (entry1 & 0x0FFFFFF8) == 0x0FFFFFF8) {
        *type = kFsFat32;
        return 1;
    }
    return 0;
}
