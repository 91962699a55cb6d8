// app/startup/ProductVersion.cpp
#include "app/startup/ProductVersion.h"

#include <windows.h>
#include <stdio.h>

#include <vector>

std::string ReadProductVersion(const char* modulePath)
{
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(modulePath, &handle);
    if (!size)
        return std::string();
    std::vector<char> block(size);
    if (!GetFileVersionInfoA(modulePath, 0, size, block.data()))
        return std::string();
    struct Translation {
        WORD language, codePage;
    };
    Translation* translations = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translations), &length) ||
        length < sizeof(Translation))
        return std::string();
    char query[64];
    snprintf(query, sizeof(query), "\\StringFileInfo\\%04x%04x\\ProductVersion",
             translations[0].language, translations[0].codePage);
    char* text = nullptr;
    if (!VerQueryValueA(block.data(), query, reinterpret_cast<void**>(&text), &length) ||
        !text || !length)
        return std::string();
    // length counts the terminator when there is one; never read past it.
    return std::string(text, strnlen(text, length));
}

std::string ReadOwnProductVersion()
{
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (!length || length >= MAX_PATH)
        return std::string();
    return ReadProductVersion(path);
}
