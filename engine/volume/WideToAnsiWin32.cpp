// engine/volume/WideToAnsiWin32.cpp
#include <windows.h>

#include <vector>

#include "engine/volume/WideToAnsi.h"

namespace {

bool IsHighSurrogate(uint16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

// Converts length units into out; 0 when the text does not fit in outSize - 1 bytes.
int Convert(const uint16_t* text, uint32_t length, char* out, uint32_t outSize)
{
    return WideCharToMultiByte(CP_ACP, WC_COMPOSITECHECK, reinterpret_cast<LPCWSTR>(text), int(length), out,
                               int(outSize - 1), "_", nullptr);
}

}  // namespace

int WideToAnsi(const uint16_t* text, uint32_t length, char* out, uint32_t outSize)
{
    if (!out || outSize == 0)
        return 0;
    out[0] = 0;
    if (!text || length == 0)
        return 1;
    if (length > 0x7FFFFFFF || outSize > 0x7FFFFFFF)
        return 0;
    // Room for the terminator only. An output size of 0 would make WideCharToMultiByte
    // return the size it needs rather than write, and that size must not index out.
    if (outSize == 1)
        return 1;
    // One byte is kept for the terminator: WideCharToMultiByte does not add one for an
    // explicit length.
    int written = Convert(text, length, out, outSize);
    // Too long for the buffer: keep fewer units, never ending between the halves of a
    // surrogate pair, until the whole characters fit. A unit gives at least one byte, so at
    // most outSize - 1 units can fit.
    while (written <= 0 && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        if (length > outSize - 1)
            length = outSize - 1;
        else
            --length;
        if (length > 0 && IsHighSurrogate(text[length - 1]))
            --length;
        if (length == 0)
            return 1;
        written = Convert(text, length, out, outSize);
    }
    if (written <= 0) {
        out[0] = 0;
        return 0;
    }
    out[written] = 0;
    return 1;
}

int OemTextToAnsi(const unsigned char* text, uint32_t length, char* out, uint32_t outSize)
{
    if (!out || outSize == 0)
        return 0;
    out[0] = 0;
    if (!text || length == 0)
        return 1;
    if (length > 0x7FFFFFFF)
        return 0;
    // An OEM byte is at most one UTF-16 unit.
    std::vector<uint16_t> wide(length);
    int units = MultiByteToWideChar(CP_OEMCP, 0, reinterpret_cast<LPCSTR>(text), int(length),
                                    reinterpret_cast<LPWSTR>(wide.data()), int(length));
    if (units <= 0)
        return 0;
    return WideToAnsi(wide.data(), uint32_t(units), out, outSize);
}
