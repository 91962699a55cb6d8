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

// The input cut into one to four pieces (make_seeds.py writes it the same way): byte 0 gives
// the number of pieces (its low two bits, plus one) and four flags (bit 4 + n for piece n);
// then a 3-byte little-endian size for every piece but the last, taken modulo the bytes left;
// then the pieces' bytes, one after the other.
struct FuzzPiece {
    const uint8_t* data;
    size_t size;
    bool flag;
};
inline std::vector<FuzzPiece> PiecesOf(const uint8_t* data, size_t size)
{
    std::vector<FuzzPiece> pieces;
    if (size < 1)
        return pieces;
    const size_t count = size_t(data[0] & 3) + 1;
    const uint8_t flags = data[0] >> 4;
    size_t at = 1 + 3 * (count - 1);
    if (size < at)
        return pieces;
    for (size_t n = 0; n < count; ++n) {
        const size_t left = size - at;
        size_t bytes = left;
        if (n + 1 < count) {
            const uint8_t* s = data + 1 + 3 * n;
            bytes = left ? (size_t(s[0]) | size_t(s[1]) << 8 | size_t(s[2]) << 16) % (left + 1) : 0;
        }
        pieces.push_back(FuzzPiece{data + at, bytes, ((flags >> n) & 1) != 0});
        at += bytes;
    }
    return pieces;
}

// The input as one to four disks: the pieces above, a piece's flag giving it 4096-byte
// sectors.
inline std::vector<std::unique_ptr<CMemoryDevice>> DisksOf(const uint8_t* data, size_t size)
{
    std::vector<std::unique_ptr<CMemoryDevice>> disks;
    for (const FuzzPiece& piece : PiecesOf(data, size))
        disks.emplace_back(new CMemoryDevice(std::vector<unsigned char>(piece.data, piece.data + piece.size),
                                             piece.flag ? 4096 : 512));
    return disks;
}
