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

// The folder that fixture scripts fill (ctest passes TEST_FIXTURE_DIR): a Windows path under
// Wine, the path itself in the native build of the engine's tests.
inline std::string FixtureDir()
{
#ifdef _WIN32
    return ToWinePath(TEST_FIXTURE_DIR);
#else
    return TEST_FIXTURE_DIR;
#endif
}
