// app/ImageOwnSize.h
// Drawing a GDI+ image in its own pixel size. Graphics::DrawImage(image, x, y) scales by the
// image's resolution (a 72-dpi PNG comes out a third larger under Wine), so pictures are
// always drawn with an explicit width and height.
#pragma once
#include <windows.h>
#include <objidl.h> // PROPID, which gdiplus.h needs even after a lean windows.h
#include <gdiplus.h>

// Draws the whole image with its top-left corner at (x, y), one image pixel per device pixel.
// Non-zero on success; 0 for a null or unreadable image.
BOOL DrawImageAtOwnSize(Gdiplus::Graphics& graphics, Gdiplus::Image* image, int x, int y);
BOOL DrawImageAtOwnSize(HDC hdc, Gdiplus::Image* image, int x, int y);
