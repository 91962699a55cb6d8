// uikit/draw/GDIPlus.h
// CGDIPlus: an object whose lifetime brackets one GDI+ start-up, with one-call drawing
// operations on a GDI device context. Colours are COLORREFs (0x00BBGGRR), drawn opaque unless
// an operation takes its own alpha; rectangles are (left, top, right, bottom).
#pragma once
#include <windows.h>

class CGDIPlus
{
public:
    CGDIPlus();
    virtual ~CGDIPlus();

    // Non-zero once GDI+ started for this object.
    BOOL IsStarted() const { return m_token != 0; }

    void FillSolidRect(HDC hdc, int left, int top, int right, int bottom, COLORREF colour,
                       int smooth = 0);
    // direction 1: top (colour1) to bottom (colour2); any other value: left to right.
    void FillGradientRect(HDC hdc, int left, int top, int right, int bottom, COLORREF colour1,
                          COLORREF colour2, int direction, int smooth = 0);
    void FillGradientRectBetween(HDC hdc, int left, int top, int right, int bottom,
                                 COLORREF colour1, COLORREF colour2, int x1, int y1, int x2,
                                 int y2, int smooth = 0);
    void FillAlphaRect(HDC hdc, int left, int top, int right, int bottom, COLORREF colour,
                       BYTE alpha, int smooth = 0);
    void FillRadialRect(HDC hdc, int left, int top, int right, int bottom, COLORREF centre,
                        COLORREF edge, float focusX, float focusY, int smooth = 0);
    void FillSolidEllipse(HDC hdc, int left, int top, int right, int bottom, COLORREF colour,
                          int smooth = 0);
    // Only directions 0 (horizontal) and 1 (vertical) draw.
    void FillGradientEllipse(HDC hdc, int left, int top, int right, int bottom,
                             COLORREF colour1, COLORREF colour2, int direction, int smooth = 0);
    void FillRadialEllipse(HDC hdc, int left, int top, int right, int bottom, COLORREF centre,
                           COLORREF edge, float focusX, float focusY, int smooth = 0);
    // Outline that stays inside the rectangle.
    void DrawRect(HDC hdc, int left, int top, int right, int bottom, COLORREF colour,
                  float penWidth, int smooth = 0);
    void DrawArc(HDC hdc, int left, int top, int right, int bottom, COLORREF colour,
                 float penWidth, float startAngle, float sweepAngle, int smooth = 0);
    void DrawLine(HDC hdc, COLORREF colour, float penWidth, int x1, int y1, int x2, int y2,
                  int smooth = 0);
    // dashStyle is a Gdiplus::DashStyle value.
    void DrawStyledLine(HDC hdc, int dashStyle, float penWidth, COLORREF colour, int x1, int y1,
                        int x2, int y2, int smooth = 0);
    void FillRoundRect(HDC hdc, int left, int top, int right, int bottom, COLORREF colour1,
                       COLORREF colour2, COLORREF border, int diameter, int direction,
                       int smooth = 0);
    void FillRoundRectAlpha(HDC hdc, int left, int top, int right, int bottom,
                            COLORREF colour1, COLORREF colour2, COLORREF border, int diameter,
                            int direction, int smooth, BYTE alpha);
    void FillTriangle(HDC hdc, COLORREF colour, int x1, int y1, int x2, int y2, int x3, int y3,
                      int smooth = 0);
    // Paints the part of one corner square (0 top-left, 1 top-right, 2 bottom-left,
    // 3 bottom-right) that lies outside the rounded corner of the given radius.
    void FillCornerMask(HDC hdc, int left, int top, int right, int bottom, int radius,
                        COLORREF colour1, COLORREF colour2, int corner, int smooth = 0);
    // Vertical gradient from colour1 at the lower of the two horizontal edges to colour2 at
    // the upper one; without two horizontal edges, across the points' vertical extent.
    void FillPentagon(HDC hdc, COLORREF colour1, COLORREF colour2, const POINT points[5],
                      int smooth = 0, int gamma = 0);
    void FillRadialPentagon(HDC hdc, COLORREF centre, COLORREF edge, const POINT points[5],
                            float focusX, float focusY, int smooth = 0, int gamma = 0);
    // hatchStyle is a Gdiplus::HatchStyle value.
    void FillHatchRect(HDC hdc, int left, int top, int right, int bottom, COLORREF fore,
                       BYTE foreAlpha, COLORREF back, BYTE backAlpha, int hatchStyle);

private:
    CGDIPlus(const CGDIPlus&) = delete;
    CGDIPlus& operator=(const CGDIPlus&) = delete;

    ULONG_PTR m_token;
};

// The two points the pentagon's vertical gradient runs between: *lowerY (colour 1) and
// *upperY (colour 2). Two horizontal edges give them; otherwise the points' extent does.
void PentagonGradientSpan(const POINT points[5], int* lowerY, int* upperY);
