// tests/fuzz/FuzzInput.h
// What the fuzz targets share: the input as disks in memory.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include <memory>
#include <vector>

#include "engine/device/MemoryDevice.h"

// The bytes as a disk of 512-byte sectors (a partial last sector is dropped by the device).
inline CMemoryDevice DiskOf(const uint8_t* data, size_t size, uint32_t sectorSize = 512)
{
    return CMemoryDevice(std::vector<unsigned char>(data, data + size), sectorSize);
}

// The input as one to four disks (make_seeds.py writes it the same way): byte 0 gives the
// number of disks (its low two bits, plus one) and which of them have 4096-byte sectors (bit
// 4 + n for disk n); then a 3-byte little-endian size for every disk but the last, taken
// modulo the bytes left; then the disks' bytes, one after the other.
inline std::vector<std::unique_ptr<CMemoryDevice>> DisksOf(const uint8_t* data, size_t size)
{
    std::vector<std::unique_ptr<CMemoryDevice>> disks;
    if (size < 1)
        return disks;
    const size_t count = size_t(data[0] & 3) + 1;
    const uint8_t large = data[0] >> 4;
    size_t at = 1 + 3 * (count - 1);
    if (size < at)
        return disks;
    for (size_t n = 0; n < count; ++n) {
        const size_t left = size - at;
        size_t bytes = left;
        if (n + 1 < count) {
            const uint8_t* s = data + 1 + 3 * n;
            bytes = left ? (size_t(s[0]) | size_t(s[1]) << 8 | size_t(s[2]) << 16) % (left + 1) : 0;
        }
        disks.emplace_back(new CMemoryDevice(std::vector<unsigned char>(data + at, data + at + bytes),
                                             (large >> n) & 1 ? 4096 : 512));
        at += bytes;
    }
    return disks;
}
