// engine/volume/BootSectorChecks.h
// Checks shared by the boot sectors that keep the old parameter block (FAT and NTFS).
#pragma once
#include <stddef.h>
#include <stdint.h>

// A cluster is 1 to 128 sectors, always a power of two.
inline bool IsValidSectorsPerCluster(uint32_t sectorsPerCluster)
{
    return sectorsPerCluster >= 1 && sectorsPerCluster <= 128 && (sectorsPerCluster & (sectorsPerCluster - 1)) == 0;
}

// Boot sectors name their file system in an 8-byte, space-padded text field, and formatters differ
// in the case they write it in. True when the 8 bytes at `field` spell `upperText` (8 characters,
// letters upper case) in any case.
inline bool BootSectorTextIs(const unsigned char* field, const char* upperText)
{
    for (size_t i = 0; i < 8; ++i) {
        unsigned char c = field[i];
        unsigned char t = static_cast<unsigned char>(upperText[i]);
        if (c != t && !(t >= 'A' && t <= 'Z' && c == t + 32))
            return false;
    }
    return true;
}
