// tests/uikit/draw/PngFile.h
// Saving what a test drew as a PNG under the build folder, so a person can look at it.
#pragma once
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cstdlib>
#include <string>

#include "tests/support/WinePath.h"

// The Windows path of a file in the build folder (WINE_BUILD_DIR, set by ctest).
inline std::string BuildFolderFile(const char* name)
{
    const char* build = getenv("WINE_BUILD_DIR");
    return ToWinePath(std::string(build ? build : "/tmp") + "/" + name);
}

// GDI+ must be started (a CGDIPlus object does it). The bitmap must not be selected.
inline bool SavePng(HBITMAP bitmap, const std::string& path)
{
    CLSID png;
    CLSIDFromString(const_cast<LPOLESTR>(L"{557CF406-1A04-11D3-9A73-0000F81EF32E}"), &png);
    Gdiplus::Bitmap image(bitmap, nullptr);
    std::wstring wide(path.begin(), path.end());
    return image.Save(wide.c_str(), &png, nullptr) == Gdiplus::Ok;
}
