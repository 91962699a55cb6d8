// engine/volume/WideToAnsiNative.cpp
// The native build's stand-in for WideToAnsiWin32.cpp, which needs the Windows code pages.
#ifndef _WIN32
#include "engine/volume/WideToAnsi.h"

int WideToAnsi(const uint16_t* text, uint32_t length, char* out, uint32_t outSize)
{
    if (!out || outSize == 0)
        return 0;
    out[0] = 0;
    if (!text)
        return length == 0;
    uint32_t n = 0;
    for (uint32_t i = 0; i < length && n + 1 < outSize; ++i)
        out[n++] = text[i] < 0x80 ? char(text[i]) : '_';
    out[n] = 0;
    return 1;
}
#endif
