// engine/volume/FileSystemNames.h
// Names of file-system codes, partition-type bytes and dynamic-volume layouts.
#pragma once
#include <stddef.h>
#include <stdint.h>

// File-system code of an MBR partition-type byte; kFsNone for types no analyser knows.
uint32_t PartitionTypeToFileSystem(uint32_t partitionType);

// Writes the name of a file-system code ("FAT12", ..., "UNKNOWN") into out (at most size
// bytes, always terminated when size > 0) and returns out.
char* FileSystemName(uint32_t code, char* out, size_t size);

// The seven-character column text of a file-system code ("  FAT12", "    RAW", "UNKNOWN").
char* FileSystemColumnText(uint32_t code, char* out, size_t size);

// Name of a dynamic-volume layout: 2 "SIMPLE", 3 "MIRROR", 4 "SPANNED", 5 "STRIPPED",
// 6 "RAID5", anything else "UNKNOWN".
char* VolumeTypeName(uint32_t layout, char* out, size_t size);

// The texts of a listing line for one partition: the search mode, the partition's drive letter
// ('*' when it has none between 'A' and 'Z') and the name of its file system.
struct SearchModeText {
    char mode[24];
    char driveLetter;
    char fileSystem[16];
};
void FormatSearchMode(char driveLetter, uint32_t fileSystem, bool quick, SearchModeText* out);

// The file-system column (the seven-character text, at most 20 bytes) and a size as "%10.2f".
struct FileSystemColumn {
    char fileSystem[20];
    char size[32];
};
void FormatFileSystemColumn(uint32_t fileSystem, double size, FileSystemColumn* out);
