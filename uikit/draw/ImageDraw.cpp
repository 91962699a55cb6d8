// uikit/draw/ImageDraw.cpp
#include "uikit/draw/ImageDraw.h"

BOOL DrawImageStretched(HDC hdc, Gdiplus::Image* image, int left, int top, int right, int bottom)
{
    if (!hdc || !image || image->GetLastStatus() != Gdiplus::Ok)
        return FALSE;
    const INT width = static_cast<INT>(image->GetWidth());
    const INT height = static_cast<INT>(image->GetHeight());
    if (width <= 0 || height <= 0 || right <= left || bottom <= top)
        return FALSE;
    Gdiplus::Graphics graphics(hdc);
    // Mirrored edges keep the interpolation from blending the border with transparency.
    Gdiplus::ImageAttributes edges;
    edges.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
    return graphics.DrawImage(image, Gdiplus::Rect(left, top, right - left, bottom - top), 0, 0,
                              width, height, Gdiplus::UnitPixel, &edges) == Gdiplus::Ok;
}
