// engine/volume/WideToAnsiNative.cpp
// The native build's stand-in for WideToAnsiWin32.cpp, which needs the Windows code pages.
#ifndef _WIN32
#include "engine/volume/WideToAnsi.h"

#include <vector>

namespace {

bool IsHighSurrogate(uint16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(uint16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

int WideToAnsi(const uint16_t* text, uint32_t length, char* out, uint32_t outSize)
{
    if (!out || outSize == 0)
        return 0;
    out[0] = 0;
    if (!text)
        return length == 0;
    uint32_t n = 0;
    for (uint32_t i = 0; i < length && n + 1 < outSize; ++i) {
        // A surrogate pair is one character and shows as one '_'.
        if (IsHighSurrogate(text[i]) && i + 1 < length && IsLowSurrogate(text[i + 1]))
            ++i;
        out[n++] = text[i] < 0x80 ? char(text[i]) : '_';
    }
    out[n] = 0;
    return 1;
}

int OemTextToAnsi(const unsigned char* text, uint32_t length, char* out, uint32_t outSize)
{
    // As under Windows: widened unit by unit (an OEM byte is one unit), then the wide rule.
    std::vector<uint16_t> wide;
    if (text)
        wide.assign(text, text + length);
    return WideToAnsi(text ? wide.data() : nullptr, length, out, outSize);
}
#endif
