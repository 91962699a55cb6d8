// app/ImageOwnSize.cpp
#include "app/ImageOwnSize.h"

BOOL DrawImageAtOwnSize(Gdiplus::Graphics& graphics, Gdiplus::Image* image, int x, int y)
{
    if (!image || image->GetLastStatus() != Gdiplus::Ok)
        return FALSE;
    const INT width = static_cast<INT>(image->GetWidth());
    const INT height = static_cast<INT>(image->GetHeight());
    if (width <= 0 || height <= 0)
        return FALSE;
    // Source rectangle in pixels and a destination of the same size: no resolution scaling.
    return graphics.DrawImage(image, Gdiplus::Rect(x, y, width, height), 0, 0, width, height,
                              Gdiplus::UnitPixel) == Gdiplus::Ok;
}

BOOL DrawImageAtOwnSize(HDC hdc, Gdiplus::Image* image, int x, int y)
{
    if (!hdc)
        return FALSE;
    Gdiplus::Graphics graphics(hdc);
    return DrawImageAtOwnSize(graphics, image, x, y);
}
