// tests/uikit/draw/PngFile.h
// Saving what a test drew as a PNG under the build folder, so a person can look at it.
#pragma once
#include <windows.h>

#include <cstdlib>
#include <string>

#include "tests/support/GalleryCapture.h"
#include "tests/support/WinePath.h"

// The Windows path of a file in the build folder (WINE_BUILD_DIR, set by ctest).
inline std::string BuildFolderFile(const char* name)
{
    const char* build = getenv("WINE_BUILD_DIR");
    return ToWinePath(std::string(build ? build : "/tmp") + "/" + name);
}

// The bitmap must not be selected into a context.
inline bool SavePng(HBITMAP bitmap, const std::string& path)
{
    return SaveBitmapPng(bitmap, std::wstring(path.begin(), path.end()));
}
