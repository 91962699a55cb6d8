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

// The shift of a power of two; 0 for 0 or a value that is not a power of two (1 gives 0).
inline uint32_t PowerOfTwoShift(uint32_t value)
{
    if (value == 0 || (value & (value - 1)) != 0)
        return 0;
    return IntegerLog2(value);
}
