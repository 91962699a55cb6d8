// engine/volume/FileSystemNames.cpp
#include "engine/volume/FileSystemNames.h"

#include <stdio.h>

#include "engine/volume/Volume.h"

namespace {

char* WriteText(const char* text, char* out, size_t size)
{
    if (out && size)
        snprintf(out, size, "%s", text);
    return out;
}

}  // namespace

uint32_t PartitionTypeToFileSystem(uint32_t partitionType)
{
    switch (partitionType) {
    case 0x01: case 0x11:
        return kFsFat12;
    case 0x04: case 0x06: case 0x0E: case 0x14: case 0x16: case 0x1E:
        return kFsFat16;
    case 0x0B: case 0x0C: case 0x1B:
        return kFsFat32;
    case 0x07: case 0x17:
        return kFsNtfs;
    case 0x82: case 0x83: case 0x85: case 0x8E: case 0x92: case 0x93:
        return kFsExt2;
    default:
        return kFsNone;
    }
}

char* FileSystemName(uint32_t code, char* out, size_t size)
{
    static const char* const kNames[] = {"FAT12", "FAT16", "FAT32", "NTFS", "EXT2", "EXT3"};
    return WriteText(code < sizeof(kNames) / sizeof(kNames[0]) ? kNames[code] : "UNKNOWN", out, size);
}

char* FileSystemColumnText(uint32_t code, char* out, size_t size)
{
    static const char* const kColumns[] = {"  FAT12", "  FAT16", "  FAT32", "   NTFS",
                                           "   EXT2", "   EXT3", "    RAW"};
    return WriteText(code < sizeof(kColumns) / sizeof(kColumns[0]) ? kColumns[code] : "UNKNOWN", out, size);
}

char* VolumeTypeName(uint32_t layout, char* out, size_t size)
{
    static const char* const kLayouts[] = {"SIMPLE", "MIRROR", "SPANNED", "STRIPPED", "RAID5"};
    return WriteText(layout >= 2 && layout <= 6 ? kLayouts[layout - 2] : "UNKNOWN", out, size);
}

void FormatSearchMode(char driveLetter, uint32_t fileSystem, bool quick, SearchModeText* out)
{
    if (!out)
        return;
    WriteText(quick ? "Quick searching" : "Intelligent searching", out->mode, sizeof(out->mode));
    out->driveLetter = driveLetter >= 'A' && driveLetter <= 'Z' ? driveLetter : '*';
    FileSystemName(fileSystem, out->fileSystem, sizeof(out->fileSystem));
}

void FormatFileSystemColumn(uint32_t fileSystem, double size, FileSystemColumn* out)
{
    if (!out)
        return;
    FileSystemColumnText(fileSystem, out->fileSystem, sizeof(out->fileSystem));
    snprintf(out->size, sizeof(out->size), "%10.2f", size);
}
