// uikit/draw/GDIPlus.cpp
#include "uikit/draw/GDIPlus.h"

#include <algorithm>
#include <gdiplus.h>

namespace {

using namespace Gdiplus;

// One start-up input serves every CGDIPlus; the defaults are all GDI+ needs.
GdiplusStartupInput g_startupInput;

Color ToColor(COLORREF c, BYTE alpha = 255)
{
    return Color(alpha, GetRValue(c), GetGValue(c), GetBValue(c));
}

// The frame every operation shares: a graphics object on the context, smoothed when asked.
struct Canvas
{
    Graphics graphics;
    Canvas(HDC hdc, int smooth) : graphics(hdc)
    {
        if (smooth)
            graphics.SetSmoothingMode(SmoothingModeHighQuality);
    }
};

Rect ToRect(int left, int top, int right, int bottom)
{
    return Rect(left, top, right - left, bottom - top);
}

// Gradient of FillGradientRect / FillGradientEllipse: starting one pixel before the edge
// makes the first row or column exactly colour 1.
void GradientEnds(int left, int top, int right, int bottom, int direction, Point* from, Point* to)
{
    if (direction == 1) {
        *from = Point(left, top - 1);
        *to = Point(left, bottom);
    } else {
        *from = Point(left - 1, top);
        *to = Point(right, top);
    }
}

void FillPathRadial(HDC hdc, GraphicsPath& path, COLORREF centre, COLORREF edge, float focusX,
                    float focusY, int smooth, BOOL gamma)
{
    Canvas canvas(hdc, smooth);
    PathGradientBrush brush(&path);
    brush.SetGammaCorrection(gamma);
    brush.SetCenterColor(ToColor(centre));
    Color surround = ToColor(edge);
    INT count = 1;
    brush.SetSurroundColors(&surround, &count);
    brush.SetFocusScales(focusX, focusY);
    canvas.graphics.FillPath(&brush, &path);
}

Point ToPoint(const POINT& p) { return Point(p.x, p.y); }

} // namespace

CGDIPlus::CGDIPlus() : m_token(0)
{
    if (GdiplusStartup(&m_token, &g_startupInput, nullptr) != Ok)
        m_token = 0;
}

CGDIPlus::~CGDIPlus()
{
    if (m_token)
        GdiplusShutdown(m_token);
}

void CGDIPlus::FillSolidRect(HDC hdc, int left, int top, int right, int bottom, COLORREF colour,
                             int smooth)
{
    Canvas canvas(hdc, smooth);
    SolidBrush brush(ToColor(colour));
    canvas.graphics.FillRectangle(&brush, ToRect(left, top, right, bottom));
}

void CGDIPlus::FillGradientRect(HDC hdc, int left, int top, int right, int bottom,
                                COLORREF colour1, COLORREF colour2, int direction, int smooth)
{
    Point from, to;
    GradientEnds(left, top, right, bottom, direction, &from, &to);
    Canvas canvas(hdc, smooth);
    LinearGradientBrush brush(from, to, ToColor(colour1), ToColor(colour2));
    brush.SetGammaCorrection(TRUE);
    canvas.graphics.FillRectangle(&brush, ToRect(left, top, right, bottom));
}

void CGDIPlus::FillGradientRectBetween(HDC hdc, int left, int top, int right, int bottom,
                                       COLORREF colour1, COLORREF colour2, int x1, int y1,
                                       int x2, int y2, int smooth)
{
    Canvas canvas(hdc, smooth);
    LinearGradientBrush brush(Point(x1, y1), Point(x2, y2), ToColor(colour1), ToColor(colour2));
    canvas.graphics.FillRectangle(&brush, ToRect(left, top, right, bottom));
}

void CGDIPlus::FillAlphaRect(HDC hdc, int left, int top, int right, int bottom, COLORREF colour,
                             BYTE alpha, int smooth)
{
    Canvas canvas(hdc, smooth);
    SolidBrush brush(ToColor(colour, alpha));
    canvas.graphics.FillRectangle(&brush, ToRect(left, top, right, bottom));
}

void CGDIPlus::FillRadialRect(HDC hdc, int left, int top, int right, int bottom, COLORREF centre,
                              COLORREF edge, float focusX, float focusY, int smooth)
{
    GraphicsPath path;
    path.AddRectangle(ToRect(left, top, right, bottom));
    FillPathRadial(hdc, path, centre, edge, focusX, focusY, smooth, TRUE);
}

void CGDIPlus::FillSolidEllipse(HDC hdc, int left, int top, int right, int bottom,
                                COLORREF colour, int smooth)
{
    Canvas canvas(hdc, smooth);
    SolidBrush brush(ToColor(colour));
    canvas.graphics.FillEllipse(&brush, ToRect(left, top, right, bottom));
}

void CGDIPlus::FillGradientEllipse(HDC hdc, int left, int top, int right, int bottom,
                                   COLORREF colour1, COLORREF colour2, int direction, int smooth)
{
    if (direction != 0 && direction != 1)
        return;
    Point from, to;
    GradientEnds(left, top, right, bottom, direction, &from, &to);
    Canvas canvas(hdc, smooth);
    LinearGradientBrush brush(from, to, ToColor(colour1), ToColor(colour2));
    brush.SetGammaCorrection(TRUE);
    canvas.graphics.FillEllipse(&brush, ToRect(left, top, right, bottom));
}

void CGDIPlus::FillRadialEllipse(HDC hdc, int left, int top, int right, int bottom,
                                 COLORREF centre, COLORREF edge, float focusX, float focusY,
                                 int smooth)
{
    GraphicsPath path;
    path.AddEllipse(ToRect(left, top, right, bottom));
    FillPathRadial(hdc, path, centre, edge, focusX, focusY, smooth, TRUE);
}

void CGDIPlus::DrawRect(HDC hdc, int left, int top, int right, int bottom, COLORREF colour,
                        float penWidth, int smooth)
{
    // A pen outline covers x .. x + w and y .. y + h: both spans lose one pixel so that the
    // outline ends on the last column and row of the rectangle, not below it.
    Canvas canvas(hdc, smooth);
    Pen pen(ToColor(colour), penWidth);
    canvas.graphics.DrawRectangle(&pen, left, top, right - left - 1, bottom - top - 1);
}

void CGDIPlus::DrawArc(HDC hdc, int left, int top, int right, int bottom, COLORREF colour,
                       float penWidth, float startAngle, float sweepAngle, int smooth)
{
    Canvas canvas(hdc, smooth);
    Pen pen(ToColor(colour), penWidth);
    canvas.graphics.DrawArc(&pen, ToRect(left, top, right, bottom), startAngle, sweepAngle);
}

void CGDIPlus::DrawLine(HDC hdc, COLORREF colour, float penWidth, int x1, int y1, int x2, int y2,
                        int smooth)
{
    Canvas canvas(hdc, smooth);
    Pen pen(ToColor(colour), penWidth);
    canvas.graphics.DrawLine(&pen, x1, y1, x2, y2);
}

void CGDIPlus::DrawStyledLine(HDC hdc, int dashStyle, float penWidth, COLORREF colour, int x1,
                              int y1, int x2, int y2, int smooth)
{
    Canvas canvas(hdc, smooth);
    Pen pen(ToColor(colour), penWidth);
    pen.SetDashStyle(static_cast<DashStyle>(dashStyle));
    canvas.graphics.DrawLine(&pen, x1, y1, x2, y2);
}

void CGDIPlus::FillRoundRect(HDC hdc, int left, int top, int right, int bottom,
                             COLORREF colour1, COLORREF colour2, COLORREF border, int diameter,
                             int direction, int smooth)
{
    FillRoundRectAlpha(hdc, left, top, right, bottom, colour1, colour2, border, diameter,
                       direction, smooth, 255);
}

void CGDIPlus::FillRoundRectAlpha(HDC hdc, int l, int t, int r, int b, COLORREF colour1,
                                  COLORREF colour2, COLORREF border, int d, int direction,
                                  int smooth, BYTE alpha)
{
    const int h = d / 2;
    HRGN shape = CreateRectRgn(l + h, t, r - h, b);
    HRGN parts[] = {
        CreateEllipticRgn(l, t, l + d, t + d),
        CreateEllipticRgn(r - d + 1, t, r + 1, t + d),
        CreateEllipticRgn(l, b - d + 1, l + d, b + 1),
        CreateEllipticRgn(r - d + 1, b - d + 1, r + 1, b + 1),
        CreateRectRgn(l, t + h, r, b - h),
    };
    for (HRGN part : parts) {
        if (shape && part)
            CombineRgn(shape, shape, part, RGN_OR);
        if (part)
            DeleteObject(part);
    }
    if (shape) {
        Canvas canvas(hdc, smooth);
        Point to = direction == 1 ? Point(l, b) : Point(r, t);
        LinearGradientBrush brush(Point(l, t), to, ToColor(colour1, alpha),
                                  ToColor(colour2, alpha));
        Region region(shape);
        canvas.graphics.FillRegion(&brush, &region);
        DeleteObject(shape);
    }

    DrawLine(hdc, border, 1.0f, l + h - 1, t, r - h, t, smooth);
    DrawLine(hdc, border, 1.0f, l + h - 1, b - 1, r - h, b - 1, smooth);
    DrawLine(hdc, border, 1.0f, l, t + h, l, b - h, smooth);
    DrawLine(hdc, border, 1.0f, r - 1, t + h, r - 1, b - h, smooth);
    DrawArc(hdc, l, t, l + d - 1, t + d - 1, border, 1.0f, 180.0f, 90.0f, 1);
    DrawArc(hdc, r - d + 1, t, r - 1, t + d - 1, border, 1.0f, 270.0f, 90.0f, 1);
    DrawArc(hdc, l, b - d + 1, l + d - 1, b - 1, border, 1.0f, 90.0f, 90.0f, 1);
    DrawArc(hdc, r - d + 1, b - d + 1, r - 1, b - 1, border, 1.0f, 0.0f, 90.0f, 1);
}

void CGDIPlus::FillTriangle(HDC hdc, COLORREF colour, int x1, int y1, int x2, int y2, int x3,
                            int y3, int smooth)
{
    Canvas canvas(hdc, smooth);
    SolidBrush brush(ToColor(colour));
    Point points[] = {Point(x1, y1), Point(x2, y2), Point(x3, y3)};
    canvas.graphics.FillPolygon(&brush, points, 3);
}

void CGDIPlus::FillCornerMask(HDC hdc, int l, int t, int r, int b, int q, COLORREF colour1,
                              COLORREF colour2, int corner, int smooth)
{
    if (corner < 0 || corner > 3)
        return;
    const bool right = corner == 1 || corner == 3;
    const bool lower = corner == 2 || corner == 3;
    const int squareX = right ? r - q : l, squareY = lower ? b - q : t;
    const int boxX = right ? r - 2 * q : l, boxY = lower ? b - 2 * q : t;

    GraphicsPath circle;
    circle.AddEllipse(boxX, boxY, 2 * q, 2 * q);
    Region region(Rect(squareX, squareY, q, q));
    region.Exclude(&circle);

    Canvas canvas(hdc, smooth);
    LinearGradientBrush brush(Point(l, t), Point(l, b), ToColor(colour1), ToColor(colour2));
    canvas.graphics.FillRegion(&brush, &region);
}

void PentagonGradientSpan(const POINT points[5], int* lowerY, int* upperY)
{
    bool haveFirst = false, haveSecond = false;
    int y1 = 0, y2 = 0;
    for (int i = 0; i < 5 && !haveSecond; ++i) {
        const POINT& a = points[i];
        const POINT& b = points[(i + 1) % 5];
        if (a.y != b.y)
            continue;
        if (!haveFirst) {
            y1 = a.y;
            haveFirst = true;
        } else if (a.y != y1) {
            y2 = a.y;
            haveSecond = true;
        }
    }
    if (!haveSecond) {
        // No two distinct horizontal edges: run across the whole shape instead.
        y1 = y2 = points[0].y;
        for (int i = 1; i < 5; ++i) {
            y1 = std::max<int>(y1, points[i].y);
            y2 = std::min<int>(y2, points[i].y);
        }
    }
    *lowerY = std::max(y1, y2);
    *upperY = std::min(y1, y2);
}

void CGDIPlus::FillPentagon(HDC hdc, COLORREF colour1, COLORREF colour2, const POINT points[5],
                            int smooth, int gamma)
{
    int lowerY = 0, upperY = 0;
    PentagonGradientSpan(points, &lowerY, &upperY);
    if (lowerY == upperY)
        return; // a flat shape covers no pixel
    Canvas canvas(hdc, smooth);
    LinearGradientBrush brush(Point(points[0].x, lowerY), Point(points[0].x, upperY),
                              ToColor(colour1), ToColor(colour2));
    brush.SetGammaCorrection(gamma ? TRUE : FALSE);
    Point shape[5];
    for (int i = 0; i < 5; ++i)
        shape[i] = ToPoint(points[i]);
    canvas.graphics.FillPolygon(&brush, shape, 5);
}

void CGDIPlus::FillRadialPentagon(HDC hdc, COLORREF centre, COLORREF edge, const POINT points[5],
                                  float focusX, float focusY, int smooth, int gamma)
{
    Point shape[5];
    for (int i = 0; i < 5; ++i)
        shape[i] = ToPoint(points[i]);
    GraphicsPath path;
    path.AddPolygon(shape, 5);
    FillPathRadial(hdc, path, centre, edge, focusX, focusY, smooth, gamma ? TRUE : FALSE);
}

void CGDIPlus::FillHatchRect(HDC hdc, int left, int top, int right, int bottom, COLORREF fore,
                             BYTE foreAlpha, COLORREF back, BYTE backAlpha, int hatchStyle)
{
    Canvas canvas(hdc, 0);
    HatchBrush brush(static_cast<HatchStyle>(hatchStyle), ToColor(fore, foreAlpha),
                     ToColor(back, backAlpha));
    canvas.graphics.FillRectangle(&brush, ToRect(left, top, right, bottom));
}
