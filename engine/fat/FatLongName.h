// engine/fat/FatLongName.h
// Long-name entries of FAT directories, and the FAT type told from the media entries of a FAT.
#pragma once
#include <stddef.h>
#include <stdint.h>

// The 13 UTF-16 units of one long-name entry (5 at 1, 6 at 14, 2 at 28) as ANSI text, ending
// at the first NUL unit; out holds size bytes (at most 100 are used). Non-zero on success.
int LongNameToAnsi(const unsigned char* entry, char* out, size_t size);

// 1 when text is non-empty and holds none of ? * | \ / : " < >.
int IsValidLongName(const char* text);

// From the first sector of a FAT: type 1 (FAT16) when entries 0 and 1 are FAT16 media entries,
// else 2 (FAT32) when they are FAT32 ones. Returns 1 when a type was written, 0 else.
int DetectFatTypeFromTable(const unsigned char* firstFatSector, uint32_t* type);
