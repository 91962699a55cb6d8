// uikit/controls/PieGeometry.h
// Geometry and colours of the pie chart, free of windows so that they are tested directly.
// Angles are degrees, clockwise from the positive x axis with y pointing down (as GDI+ draws).
#pragma once
#include <stdint.h>
#include <string>
#include <vector>

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

// Each of red, green and blue moved towards 0 by factor / 255 of the way, at least 0; opaque.
uint32_t DarkenColor(uint32_t argb, float factor);

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

// Style 2: the same x, and y from the top face's vertical centre lifted by 4/5 of the tilt
// offset in proportion to the sine, so that the label stays on the tilted slice.
PiePoint TiltedLabelCentre(const PieRect& pie, const PieRect& top, int offset, float startAngle,
                           float sweep);
// A label on the pie: "%.2f%"; a legend row puts a "0" in front below 10 % ("05.25%").
std::string PercentText(float share);
std::string LegendPercentText(float share);

// Top and bottom faces of the tilted look (tilt 0..85 degrees, depth factor >= 0); with tilt
// 0 both equal the pie rectangle. *offset receives the tilt offset d.
void GetTiltedFaces(const PieRect& pie, float tilt, float depthFactor, PieRect* top,
                    PieRect* bottom, int* offset);

// Where the ellipse of rect meets the ray from its centre at the given angle (GDI+ measures
// the angles of elliptic arcs and pies along such rays).
PiePoint EllipsePoint(const PieRect& rect, float degrees);

// The tilted look seen on the top face. Slices' sweeps in key order; ends are the slices'
// end points moved onto the top face, sweeps the angles they span there.
struct TiltedAngles
{
    float start = 0.0f;
    std::vector<float> sweeps;
    std::vector<PiePoint> ends;
};
TiltedAngles ComputeTiltedAngles(const PieRect& pie, int offset, float startAngle,
                                 const std::vector<float>& sweeps);

// The visible pieces of a slice's side wall (the front half, 0..180 degrees, faces the
// viewer); reset marks the piece that starts the slice's hit outline.
struct WallPiece
{
    float start, sweep;
    bool reset;
};
std::vector<WallPiece> SideWallPieces(float angle, float sweep);
// A wall piece's outline: the bottom face's arc from start over sweep, then the top face's
// arc back; closed, as a polygon fine enough to fill and to hit-test.
std::vector<PiePoint> SideWallOutline(const PieRect& top, const PieRect& bottom, float start,
                                      float sweep);
// Even-odd rule, as GDI+ fills alternately.
bool PointInPolygon(float x, float y, const std::vector<PiePoint>& polygon);
// Inside the ellipse of rect and within the sector start..start + sweep.
bool PointInEllipseSector(float x, float y, const PieRect& rect, float start, float sweep);

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

// Rows of height + gap that fit in the pie rectangle's height, at most count; and their height
// less the last gap (the "fitting" legend height).
int FittingLegendRows(const PieLayout& layout, const PieRect& pie, int count);
int FittingLegendHeight(const PieLayout& layout, const PieRect& pie, int count);

// The legend list right of the pie: colour boxes, descriptions, percentages. Widths are
// the measured longest description and "100.00%", cut at the client's right less the scroll
// margin (never below 0).
struct LegendColumns
{
    int top;
    int boxX, boxWidth;
    int descriptionX, descriptionWidth;
    int percentX, percentWidth;
};
LegendColumns ComputeLegendColumns(const PieRect& pie, const PieRect& client,
                                   const PieLayout& layout, int count, int longestWidth,
                                   int percentWidth);
