// engine/filetype/Win32FileLines.cpp
// What the file wrapper builds on its reads, writes and seeks, the same on every platform.
#include "engine/filetype/Win32File.h"

uint32_t Win32File::ReadLine(char* buffer, uint32_t maximum)
{
    if (!IsOpen() || !buffer || maximum == 0)
        return 0;
    uint32_t count = 0;
    while (count < maximum) {
        char c = 0;
        if (Read(&c, 1) != 1)
            break;
        buffer[count++] = c;
        if (c == '\n')
            break;
    }
    if (count == 0)
        return 0;
    buffer[count] = 0;
    return count;
}

int Win32File::WriteLine(const char* buffer, uint32_t count)
{
    if (!IsOpen())
        return 0;
    if (count == 0)
        return 1;
    if (!Write(buffer, count))
        return 0;
    if (count >= 2 && buffer[count - 2] == '\r' && buffer[count - 1] == '\n')
        return 1;
    return Write("\r\n", 2);
}

uint64_t Win32File::GetPosition()
{
    uint64_t position = 0;
    return Tell(&position) ? position : ~uint64_t(0);
}
