// uikit/draw/MemorySurface.cpp
#include "uikit/draw/MemorySurface.h"

bool MemorySurface::Create(HDC like, int width, int height)
{
    if (!like || width < 1 || height < 1)
        return false;
    HDC memory = CreateCompatibleDC(like);
    HBITMAP bitmap = memory ? CreateCompatibleBitmap(like, width, height) : nullptr;
    if (!bitmap) {
        if (memory)
            DeleteDC(memory);
        return false;
    }
    Release();
    dc_ = memory;
    bitmap_ = bitmap;
    initialBitmap_ = SelectObject(dc_, bitmap_);
    SetBkMode(dc_, TRANSPARENT);
    return true;
}

void MemorySurface::Release()
{
    if (dc_ && initialBitmap_)
        SelectObject(dc_, initialBitmap_);
    initialBitmap_ = nullptr;
    if (bitmap_)
        DeleteObject(bitmap_);
    bitmap_ = nullptr;
    if (dc_)
        DeleteDC(dc_);
    dc_ = nullptr;
}
