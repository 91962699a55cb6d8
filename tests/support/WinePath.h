// tests/support/WinePath.h
// Test programs run under Wine, where the Linux file system is drive Z:.
#pragma once
#include <string>

// "/tmp/x/y" -> "Z:\tmp\x\y"
inline std::string ToWinePath(const std::string& linuxPath)
{
    std::string out = "Z:";
    for (char c : linuxPath)
        out += (c == '/') ? '\\' : c;
    return out;
}

// The folder that fixture scripts fill, as a Windows path (ctest passes TEST_FIXTURE_DIR).
inline std::string FixtureDir()
{
    return ToWinePath(TEST_FIXTURE_DIR);
}
