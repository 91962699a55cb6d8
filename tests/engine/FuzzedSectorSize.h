// tests/engine/FuzzedSectorSize.h
// The sector size of a fuzzed disk, chosen by the input, so that the FAT and NTFS analysers
// meet devices of every size a disk has (and some no disk has), not only 512 bytes.
#pragma once
#include <stddef.h>
#include <stdint.h>

// The last byte of the input picks: 0 the boot sector's own bytes-per-sector field (offset
// 11, when the input holds one), 1 to 4 the sizes 512 to 4096, 5 8192 (larger than the
// analysers' buffers), 6 a size no disk has (520), 7 the smallest the engine takes, 512.
inline uint32_t FuzzedSectorSize(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 512;
    switch (data[size - 1] & 7) {
    case 0: return size >= 13 ? uint32_t(data[11] | (data[12] << 8)) : 512;
    case 1: return 512;
    case 2: return 1024;
    case 3: return 2048;
    case 4: return 4096;
    case 5: return 8192;
    case 6: return 520;
    default: return 512;
    }
}
