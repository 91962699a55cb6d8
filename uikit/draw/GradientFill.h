// uikit/draw/GradientFill.h
// Two-colour GDI gradient (GradientFill in rectangle mode), for hosts that paint without GDI+.
#pragma once
#include <windows.h>

// vertical non-zero: colour1 at the top, colour2 at the bottom; else left to right.
BOOL FillGdiGradient(HDC hdc, int left, int top, int right, int bottom, COLORREF colour1,
                     COLORREF colour2, int vertical);
