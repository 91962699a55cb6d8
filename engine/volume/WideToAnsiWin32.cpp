// engine/volume/WideToAnsiWin32.cpp
#include <windows.h>

#include "engine/volume/WideToAnsi.h"

int WideToAnsi(const uint16_t* text, uint32_t length, char* out, uint32_t outSize)
{
    if (!out || outSize == 0)
        return 0;
    out[0] = 0;
    if (!text || length == 0)
        return 1;
    if (length > 0x7FFFFFFF || outSize > 0x7FFFFFFF)
        return 0;
    // One byte is kept for the terminator: WideCharToMultiByte does not add one for an
    // explicit length.
    int written = WideCharToMultiByte(CP_ACP, WC_COMPOSITECHECK, reinterpret_cast<LPCWSTR>(text), int(length), out,
                                      int(outSize - 1), "_", nullptr);
    if (written <= 0) {
        out[0] = 0;
        return 0;
    }
    out[written] = 0;
    return 1;
}
