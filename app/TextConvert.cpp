// app/TextConvert.cpp
#include "app/TextConvert.h"

#include <windows.h>

int MultiByteToWide(const char* text, wchar_t* wide, int* inOutCount)
{
    if (!text || !inOutCount)
        return 0;
    if (!wide) {
        *inOutCount = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
        return *inOutCount;
    }
    const int capacity = *inOutCount;
    int written = capacity > 0 ? MultiByteToWideChar(CP_ACP, 0, text, -1, wide, capacity) : 0;
    if (written == 0 && capacity > 0)
        wide[0] = L'\0';
    *inOutCount = written;
    return written;
}

int WideToMultiByte(const wchar_t* wide, char* text, int* inOutCount)
{
    if (!wide || !inOutCount)
        return 0;
    if (!text) {
        *inOutCount = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
        return *inOutCount;
    }
    const int capacity = *inOutCount;
    int written = capacity > 0
        ? WideCharToMultiByte(CP_ACP, 0, wide, -1, text, capacity, nullptr, nullptr) : 0;
    if (written == 0 && capacity > 0)
        text[0] = '\0';
    *inOutCount = written;
    return written;
}

std::wstring ToWideCString(const char* text)
{
    if (!text || !*text)
        return std::wstring();
    int needed = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (needed <= 1)
        return std::wstring();
    std::wstring out(size_t(needed), L'\0');
    int written = MultiByteToWideChar(CP_ACP, 0, text, -1, &out[0], needed);
    out.resize(written > 0 ? size_t(written - 1) : 0);
    return out;
}

std::string ToAnsiString(const wchar_t* wide)
{
    if (!wide || !*wide)
        return std::string();
    int needed = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (needed <= 1)
        return std::string();
    std::string out(size_t(needed), '\0');
    int written = WideCharToMultiByte(CP_ACP, 0, wide, -1, &out[0], needed, nullptr, nullptr);
    out.resize(written > 0 ? size_t(written - 1) : 0);
    return out;
}

std::string ToAnsiString(const std::wstring& wide)
{
    return ToAnsiString(wide.c_str());
}

std::string CStringFromText(const char* text)
{
    return text ? std::string(text) : std::string();
}
