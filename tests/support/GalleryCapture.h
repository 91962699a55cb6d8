// tests/support/GalleryCapture.h
// Gallery programs photograph what the Xvfb screen shows of a window and save it as PNG.
#pragma once
#include <windows.h>

#include <string>

namespace Gdiplus { class Image; }

// What the screen shows inside the window's rectangle (a person sees the drop-down lists and
// other top-level windows over it too). The caller deletes the bitmap; null on failure.
HBITMAP CaptureScreenArea(HWND window, SIZE* size);

// Saves the image as a PNG file; false when GDI+ or its PNG encoder is missing or saving fails.
bool SavePng(Gdiplus::Image& image, const std::wstring& path);

// The two together: the screen area of the window saved as a PNG file.
bool SaveScreenArea(HWND window, const std::wstring& path);
