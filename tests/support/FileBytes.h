// tests/support/FileBytes.h
// Whole small files (disk images made by real tools at test time) as bytes.
#pragma once
#include <stdio.h>

#include <string>
#include <vector>

inline std::vector<unsigned char> ReadFileBytes(const std::string& path)
{
    std::vector<unsigned char> bytes;
    FILE* f = fopen(path.c_str(), "rb");
    if (!f)
        return bytes;
    unsigned char chunk[65536];
    size_t n;
    while ((n = fread(chunk, 1, sizeof(chunk), f)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + n);
    fclose(f);
    return bytes;
}
