// app/TextCase.cpp
#include "app/TextCase.h"

static inline char LowerChar(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

void MakeLowerAscii(char* text)
{
    if (!text)
        return;
    for (; *text; ++text)
        *text = LowerChar(*text);
}

std::string LowerAscii(std::string text)
{
    for (char& c : text)
        c = LowerChar(c);
    return text;
}

size_t FindNoCase(const std::string& haystack, const std::string& needle)
{
    return LowerAscii(haystack).find(LowerAscii(needle));
}
