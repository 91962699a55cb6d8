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
