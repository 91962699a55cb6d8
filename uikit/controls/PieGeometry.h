// uikit/controls/PieGeometry.h
// Geometry and colours of the pie chart, free of windows so that they are tested directly.
// Angles are degrees, clockwise from the positive x axis with y pointing down (as GDI+ draws).
#pragma once
#include <stdint.h>

struct PieRect
{
    int left, top, right, bottom;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

struct PiePoint
{
    float x, y;
};

// Each of red, green and blue moved towards 255 by factor / 255 of the way, capped; opaque.
uint32_t LightenColor(uint32_t argb, float factor);

// The client less 30 at the sides and 40 at the top, made square (at least 150 a side).
PieRect GetPieRect(const PieRect& client);

// Direction of a point seen from the rectangle's centre, in 0..360 (straight up 270). The
// centre itself, which has no direction, gives 0.
float AngleOfPoint(float x, float y, const PieRect& rect);

// Where a slice's percentage label is centred: on the slice's middle angle, 2/5 of the pie
// width from the centre.
PiePoint PercentLabelCentre(const PieRect& pie, float startAngle, float sweep);
// Label point size: pie height / 25 kept within 7..11.
int PercentLabelPointSize(const PieRect& pie);

// Top and bottom faces of the tilted look (tilt 0..85 degrees, depth factor >= 0); with tilt
// 0 both equal the pie rectangle. *offset receives the tilt offset d.
void GetTiltedFaces(const PieRect& pie, float tilt, float depthFactor, PieRect* top,
                    PieRect* bottom, int* offset);

// Whether angle lies in the sector start..start + sweep (either taken modulo 360).
bool AngleInSector(float angle, float start, float sweep);
// Click test of the ring look: inside the pie ellipse and the sector, outside the hole of
// diameter 6 x (pie width / 15).
bool PointInRingSlice(float x, float y, const PieRect& pie, float start, float sweep);

// Layout metrics that follow the window width (OnSize).
struct PieLayout
{
    int pieSize = 200;
    int scrollMargin = 20;
    int rowHeight = 20;
    int legendBoxWidth = 50;
    int rowGap = 10;
};
PieLayout ComputePieLayout(int clientWidth, const PieRect& pie);
// Total legend height for count rows (the last row has no gap after it); 0 without rows.
int LegendHeight(const PieLayout& layout, int count);
