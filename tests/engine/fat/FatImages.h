// tests/engine/fat/FatImages.h
// The images of make_fat_images.sh, read whole into memory.
#pragma once
#include <stdlib.h>

#include <string>
#include <vector>

#include "tests/support/FileBytes.h"
#include "tests/support/WinePath.h"

inline std::string FatImagePath(const std::string& name)
{
#ifdef _WIN32
    return FixtureDir() + "\\fat\\" + name;
#else
    return FixtureDir() + "/fat/" + name;
#endif
}

inline std::vector<unsigned char> FatImage(const std::string& name) { return ReadFileBytes(FatImagePath(name)); }

// A number the fixture script wrote into a text file.
inline unsigned long long FatGoldenNumber(const std::string& name)
{
    std::vector<unsigned char> bytes = ReadFileBytes(FatImagePath(name));
    std::string text(bytes.begin(), bytes.end());
    return strtoull(text.c_str(), nullptr, 10);
}
