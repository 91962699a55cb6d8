// tests/support/GalleryCapture.h
// Pictures that tests save for a person to look at: what the Xvfb screen shows of a window, and
// PNG files of what they drew.
#pragma once
#include <windows.h>

#include <string>

namespace Gdiplus { class Image; }

// What the screen shows inside the window's rectangle (a person sees the drop-down lists and
// other top-level windows over it too). The caller deletes the bitmap; null on failure.
HBITMAP CaptureScreenArea(HWND window, SIZE* size);

// Saves the image as a PNG file; false when GDI+ or its PNG encoder is missing or saving fails.
bool SavePng(Gdiplus::Image& image, const std::wstring& path);

// Saves a bitmap that no context has selected as a PNG file.
bool SaveBitmapPng(HBITMAP bitmap, const std::wstring& path);

// The two together: the screen area of the window saved as a PNG file.
bool SaveScreenArea(HWND window, const std::wstring& path);
