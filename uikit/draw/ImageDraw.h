// uikit/draw/ImageDraw.h
// Drawing GDI+ images: in their own pixel size (shared with the resource helper) or stretched.
#pragma once
#include <windows.h>
#include <objidl.h> // PROPID, which gdiplus.h needs even after a lean windows.h
#include <gdiplus.h>

#include "app/ImageOwnSize.h"

// Draws the whole image stretched into (left, top, right, bottom).
BOOL DrawImageStretched(HDC hdc, Gdiplus::Image* image, int left, int top, int right, int bottom);
