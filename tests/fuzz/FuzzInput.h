// tests/fuzz/FuzzInput.h
// What the fuzz targets share: the input as a disk in memory.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include <vector>

#include "engine/device/MemoryDevice.h"

// The bytes as a disk of 512-byte sectors (a partial last sector is dropped by the device).
inline CMemoryDevice DiskOf(const uint8_t* data, size_t size, uint32_t sectorSize = 512)
{
    return CMemoryDevice(std::vector<unsigned char>(data, data + size), sectorSize);
}
