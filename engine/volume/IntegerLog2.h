// engine/volume/IntegerLog2.h
// Sector and cluster sizes are powers of two; their shifts come from here.
#pragma once
#include <stdint.h>

// floor(log2(value)); 0 for values below 2.
inline uint32_t IntegerLog2(uint32_t value)
{
    uint32_t log = 0;
    while (value >= 2) {
        value >>= 1;
        ++log;
    }
    return log;
}
