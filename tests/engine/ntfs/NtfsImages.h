// tests/engine/ntfs/NtfsImages.h
#pragma once
#include <string>
#include <vector>

#include "tests/support/FileBytes.h"
#include "tests/support/WinePath.h"

inline std::vector<unsigned char> NtfsImage(const char* name)
{
#ifdef _WIN32
    return ReadFileBytes(FixtureDir() + "\\ntfs\\" + name);
#else
    return ReadFileBytes(FixtureDir() + "/ntfs/" + name);
#endif
}
