// ui/about/ProductVersion.cpp
#include "ui/about/ProductVersion.h"

#include <windows.h>
#include <stdio.h>

#include <vector>

namespace {

// The value of one string of the block, cut at its terminator; empty when absent.
std::string QueryText(const std::vector<char>& block, WORD language, WORD codePage,
                      const char* name)
{
    char path[96];
    snprintf(path, sizeof(path), "\\StringFileInfo\\%04x%04x\\%s", language, codePage, name);
    char* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), path, reinterpret_cast<void**>(&value), &length) ||
        !value || length == 0)
        return std::string();
    // The length may or may not count the terminator; never read past the block.
    const char* end = block.data() + block.size();
    size_t n = 0;
    while (n < length && value + n < end && value[n])
        ++n;
    return std::string(value, n);
}

} // namespace

int GetProductVersion(const char* modulePath, std::string& productVersion,
                      std::string& legalCopyright)
{
    if (!modulePath)
        return -1;
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(modulePath, &handle);
    if (size == 0)
        return -2;
    std::vector<char> block(size + 8, 0);
    if (!GetFileVersionInfoA(modulePath, 0, size, block.data()))
        return 0;
    struct Translation {
        WORD language, codePage;
    }* translations = nullptr;
    UINT bytes = 0;
    if (!VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translations), &bytes) ||
        !translations)
        return 0;
    for (UINT i = 0; i < bytes / sizeof(Translation); ++i) {
        productVersion = QueryText(block, translations[i].language, translations[i].codePage,
                                   "ProductVersion");
        legalCopyright = QueryText(block, translations[i].language, translations[i].codePage,
                                   "LegalCopyright");
        if (!legalCopyright.empty())
            break;
    }
    return 0;
}
