// engine/volume/FileSystemDetect.h
// The file system of a volume from its first sector, and labels read by file-system code.
#pragma once
#include <stdint.h>

class IStorageDevice;

// FAT12/16/32 from the parameter block, else NTFS, else kFsNone. exFAT is not detected here.
// sector holds at least 512 bytes.
uint32_t DetectFileSystem(const unsigned char* sector, uint32_t bytesPerSector);

// Reads the label of the volume that starts at sector 0 of device, for a FAT (0 to 2) or NTFS
// (3) code; label holds at least 100 bytes and receives a terminated text. 1 when read.
int ReadVolumeLabelByType(IStorageDevice* device, int32_t fileSystem, char* label);
