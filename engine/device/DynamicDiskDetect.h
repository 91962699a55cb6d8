// engine/device/DynamicDiskDetect.h
// Whether a disk is a dynamic (LDM) disk, judged from its partition tables alone.
#pragma once
#include <stdint.h>

#include "engine/device/StorageDevice.h"

// 1 when an MBR or EBR entry has type 0x42, or a protective-GPT disk holds both the
// "LDM metadata partition" and the "LDM data partition" entries; 0 otherwise.
int DetectDynamicDisk(IStorageDevice* device, uint64_t totalSectors, uint32_t bytesPerSector);
