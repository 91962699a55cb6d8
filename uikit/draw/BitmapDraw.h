// uikit/draw/BitmapDraw.h
// Drawing a GDI bitmap plainly, stretched, or with one colour left transparent through a
// monochrome mask. The bitmap must not be selected into another context (a bitmap can be
// selected into one context only). All three return non-zero when they drew.
#pragma once
#include <windows.h>

BOOL DrawBitmap(HDC target, HBITMAP bitmap, int x, int y);
BOOL StretchDrawBitmap(HDC target, HBITMAP bitmap, int x, int y, int width, int height);
// Every pixel of the transparent colour leaves the target showing; works in any mapping mode.
BOOL DrawBitmapTransparent(HDC target, HBITMAP bitmap, int x, int y, COLORREF transparent);
