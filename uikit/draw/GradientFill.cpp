// uikit/draw/GradientFill.cpp
#include "uikit/draw/GradientFill.h"

namespace {

// Each 8-bit channel goes into the high byte of its 16-bit field; alpha stays 0.
TRIVERTEX Corner(int x, int y, COLORREF c)
{
    TRIVERTEX v = {};
    v.x = x;
    v.y = y;
    v.Red = static_cast<COLOR16>(GetRValue(c) << 8);
    v.Green = static_cast<COLOR16>(GetGValue(c) << 8);
    v.Blue = static_cast<COLOR16>(GetBValue(c) << 8);
    v.Alpha = 0;
    return v;
}

} // namespace

BOOL FillGdiGradient(HDC hdc, int left, int top, int right, int bottom, COLORREF colour1,
                     COLORREF colour2, int vertical)
{
    if (!hdc || right <= left || bottom <= top)
        return FALSE;
    TRIVERTEX corners[2] = {Corner(left, top, colour1), Corner(right, bottom, colour2)};
    GRADIENT_RECT rect = {0, 1};
    return GradientFill(hdc, corners, 2, &rect, 1,
                        vertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
}
