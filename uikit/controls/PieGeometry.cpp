// uikit/controls/PieGeometry.cpp
#include "uikit/controls/PieGeometry.h"

#include <math.h>
#include <stdio.h>

static const float kPi = 3.14159265f;

static float Radians(float degrees) { return degrees * kPi / 180.0f; }

uint32_t LightenColor(uint32_t argb, float factor)
{
    uint32_t result = 0xFF000000u;
    for (int shift = 0; shift <= 16; shift += 8) {
        float c = static_cast<float>((argb >> shift) & 0xFF);
        float value = c + (255.0f - c) / 255.0f * factor;
        if (value > 255.0f)
            value = 255.0f;
        if (value < 0.0f)
            value = 0.0f;
        result |= static_cast<uint32_t>(static_cast<uint8_t>(value)) << shift;
    }
    return result;
}

uint32_t DarkenColor(uint32_t argb, float factor)
{
    uint32_t result = 0xFF000000u;
    for (int shift = 0; shift <= 16; shift += 8) {
        float c = static_cast<float>((argb >> shift) & 0xFF);
        float value = c - c / 255.0f * factor;
        if (value < 0.0f)
            value = 0.0f;
        if (value > 255.0f)
            value = 255.0f;
        result |= static_cast<uint32_t>(static_cast<uint8_t>(value)) << shift;
    }
    return result;
}

PieRect GetPieRect(const PieRect& client)
{
    PieRect r = {client.left + 30, client.top + 40, client.right - 30, client.bottom};
    if (r.Height() <= r.Width()) {
        int side = r.Height() < 150 ? 150 : r.Height();
        r.bottom = r.top + side;
        r.right = r.left + side;
    } else {
        int side = r.Width() < 150 ? 150 : r.Width();
        r.right = r.left + side;
        r.bottom = r.top + side;
    }
    return r;
}

float AngleOfPoint(float x, float y, const PieRect& rect)
{
    float dx = x - (rect.left + rect.right) / 2.0f;
    float dy = y - (rect.top + rect.bottom) / 2.0f;
    if (dx == 0.0f && dy == 0.0f)
        return 0.0f;
    if (dx == 0.0f)
        return dy > 0.0f ? 90.0f : 270.0f;
    float angle = atanf(dy / dx) * 180.0f / kPi;
    if (dx < 0.0f)
        angle += 180.0f;
    else if (dy < 0.0f)
        angle += 360.0f;
    return angle;
}

PiePoint PercentLabelCentre(const PieRect& pie, float startAngle, float sweep)
{
    float a = Radians(startAngle + sweep / 2.0f);
    float radius = static_cast<float>(2 * pie.Width() / 5);
    float cx = (pie.left + pie.right) / 2.0f, cy = (pie.top + pie.bottom) / 2.0f;
    return PiePoint{cx + cosf(a) * radius, cy + sinf(a) * radius};
}

PiePoint TiltedLabelCentre(const PieRect& pie, const PieRect& top, int offset, float startAngle,
                           float sweep)
{
    PiePoint plain = PercentLabelCentre(pie, startAngle, sweep);
    float a = Radians(startAngle + sweep / 2.0f);
    float radius = static_cast<float>(2 * pie.Width() / 5);
    float topCentre = (top.top + top.bottom) / 2.0f;
    plain.y = topCentre + sinf(a) * radius - sinf(a) * static_cast<float>(4 * offset / 5);
    return plain;
}

std::string PercentText(float share)
{
    char text[32];
    snprintf(text, sizeof text, "%.2f%%", share * 100.0f);
    return text;
}

std::string LegendPercentText(float share)
{
    std::string text = PercentText(share);
    return share * 100.0f < 10.0f ? "0" + text : text;
}

int PercentLabelPointSize(const PieRect& pie)
{
    int size = pie.Height() / 25;
    return size < 7 ? 7 : (size > 11 ? 11 : size);
}

void GetTiltedFaces(const PieRect& pie, float tilt, float depthFactor, PieRect* top,
                    PieRect* bottom, int* offset)
{
    int d = static_cast<int>(pie.Height() * tilt / 180.0f);
    PieRect middle = {pie.left, pie.top + d, pie.right, pie.bottom - d};
    int k = static_cast<int>(d * depthFactor / 2.0f);
    if (top)
        *top = PieRect{middle.left, middle.top - k, middle.right, middle.bottom - k};
    if (bottom)
        *bottom = PieRect{middle.left, middle.top + k, middle.right, middle.bottom + k};
    if (offset)
        *offset = d;
}

static float Wrap360(float angle)
{
    angle = fmodf(angle, 360.0f);
    return angle < 0.0f ? angle + 360.0f : angle;
}

PiePoint EllipsePoint(const PieRect& rect, float degrees)
{
    float a = rect.Width() / 2.0f, b = rect.Height() / 2.0f;
    float cx = (rect.left + rect.right) / 2.0f, cy = (rect.top + rect.bottom) / 2.0f;
    float c = cosf(Radians(degrees)), s = sinf(Radians(degrees));
    float q = sqrtf((b * c) * (b * c) + (a * s) * (a * s));
    float r = q > 0.0f ? a * b / q : 0.0f;
    return PiePoint{cx + r * c, cy + r * s};
}

TiltedAngles ComputeTiltedAngles(const PieRect& pie, int offset, float startAngle,
                                 const std::vector<float>& sweeps)
{
    const int cx = (pie.left + pie.right) / 2, cy = (pie.top + pie.bottom) / 2;
    const int rx = pie.Width() / 2, ry = pie.Height() / 2;
    const float d = static_cast<float>(offset);
    const PieRect middle = {pie.left, pie.top + offset, pie.right, pie.bottom - offset};
    TiltedAngles result;
    float a0 = Radians(startAngle);
    result.start = AngleOfPoint(cx + cosf(a0) * rx, cy + sinf(a0) * ry - sinf(a0) * d, middle);
    float s = startAngle, t = result.start;
    for (float sweep : sweeps) {
        float e = Radians(s + sweep);
        PiePoint end = {cx + cosf(e) * rx, cy + sinf(e) * ry - sinf(e) * d};
        float angle = AngleOfPoint(end.x, end.y, middle);
        float tilted;
        if (sweep >= 360.0f) {
            // The end meets the start again; rounding may put it a hair either side.
            tilted = 360.0f;
        } else {
            tilted = t <= angle ? angle - t : 360.0f - t + angle;
            // Rounding at the wrap may turn a hair of a slice into a full turn or the
            // reverse; the tilted sweep never runs half a turn away from the plain one.
            if (tilted > sweep + 180.0f)
                tilted -= 360.0f;
            else if (tilted < sweep - 180.0f)
                tilted += 360.0f;
            tilted = tilted < 0.0f ? 0.0f : (tilted > 360.0f ? 360.0f : tilted);
        }
        result.sweeps.push_back(tilted);
        result.ends.push_back(end);
        t += tilted;
        s += sweep;
    }
    return result;
}

std::vector<WallPiece> SideWallPieces(float angle, float sweep)
{
    float a = angle >= 360.0f ? angle - 360.0f : angle;
    float w = sweep;
    std::vector<WallPiece> pieces;
    if (a < 180.0f && a + w <= 180.0f) {
        pieces.push_back({a, w, true});
    } else if (a < 180.0f && a + w <= 360.0f) {
        pieces.push_back({a, 180.0f - a, true});
    } else if (a < 180.0f) {
        pieces.push_back({0.0f, w - (360.0f - a), true});
        pieces.push_back({a, 180.0f - a, false});
    } else if (a + w > 360.0f) {
        float wrapped = w - (360.0f - a);
        pieces.push_back({0.0f, wrapped > 180.0f ? 180.0f : wrapped, true});
    }
    return pieces;
}

std::vector<PiePoint> SideWallOutline(const PieRect& top, const PieRect& bottom, float start,
                                      float sweep)
{
    // One point per degree or finer: a wall is at most half a turn.
    int steps = static_cast<int>(fabsf(sweep)) + 2;
    std::vector<PiePoint> outline;
    outline.reserve(2 * (steps + 1));
    for (int i = 0; i <= steps; ++i)
        outline.push_back(EllipsePoint(bottom, start + sweep * i / steps));
    for (int i = steps; i >= 0; --i)
        outline.push_back(EllipsePoint(top, start + sweep * i / steps));
    return outline;
}

bool PointInPolygon(float x, float y, const std::vector<PiePoint>& polygon)
{
    bool inside = false;
    for (size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const PiePoint& p = polygon[i];
        const PiePoint& q = polygon[j];
        if ((p.y > y) != (q.y > y) && x < (q.x - p.x) * (y - p.y) / (q.y - p.y) + p.x)
            inside = !inside;
    }
    return inside;
}

bool PointInEllipseSector(float x, float y, const PieRect& rect, float start, float sweep)
{
    float rx = rect.Width() / 2.0f, ry = rect.Height() / 2.0f;
    if (rx <= 0.0f || ry <= 0.0f)
        return false;
    float cx = (rect.left + rect.right) / 2.0f, cy = (rect.top + rect.bottom) / 2.0f;
    float nx = (x - cx) / rx, ny = (y - cy) / ry;
    if (nx * nx + ny * ny > 1.0f)
        return false;
    return AngleInSector(AngleOfPoint(x, y, rect), start, sweep);
}

bool AngleInSector(float angle, float start, float sweep)
{
    if (sweep >= 360.0f)
        return true;
    if (sweep <= 0.0f)
        return false;
    float from = Wrap360(angle - start);
    return from < sweep;
}

bool PointInRingSlice(float x, float y, const PieRect& pie, float start, float sweep)
{
    if (!PointInEllipseSector(x, y, pie, start, sweep))
        return false;
    float hole = 3.0f * static_cast<float>(pie.Width() / 15);
    float hx = x - (pie.left + pie.right) / 2.0f, hy = y - (pie.top + pie.bottom) / 2.0f;
    return hx * hx + hy * hy >= hole * hole;
}

PieLayout ComputePieLayout(int clientWidth, const PieRect& pie)
{
    PieLayout layout;
    layout.pieSize = 2 * clientWidth / 3 >= 181 ? 2 * clientWidth / 3 : 180;
    layout.scrollMargin = clientWidth / 20;
    layout.rowHeight = pie.Height() / 15 > 25 ? 25 : pie.Height() / 15;
    int width = pie.Width() > 375 ? 375 : pie.Width();
    layout.legendBoxWidth = width / 8;
    layout.rowGap = pie.Height() / 20 > 18 ? 18 : pie.Height() / 20;
    return layout;
}

int LegendHeight(const PieLayout& layout, int count)
{
    if (count <= 0)
        return 0;
    return count * (layout.rowHeight + layout.rowGap) - layout.rowGap;
}

int FittingLegendRows(const PieLayout& layout, const PieRect& pie, int count)
{
    int step = layout.rowHeight + layout.rowGap;
    if (step <= 0 || count <= 0)
        return 0;
    int rows = (pie.Height() + layout.rowGap) / step;
    return rows < count ? rows : count;
}

int FittingLegendHeight(const PieLayout& layout, const PieRect& pie, int count)
{
    return LegendHeight(layout, FittingLegendRows(layout, pie, count));
}

static int ClampWidth(int width, int x, int limit)
{
    if (x + width > limit)
        width = limit - x;
    return width < 0 ? 0 : width;
}

LegendColumns ComputeLegendColumns(const PieRect& pie, const PieRect& client,
                                   const PieLayout& layout, int count, int longestWidth,
                                   int percentWidth)
{
    LegendColumns c;
    int centred = (pie.top + pie.bottom) / 2 - (layout.rowHeight + layout.rowGap) * count / 2;
    c.top = centred > pie.top ? centred : pie.top;
    c.boxX = pie.right + pie.right / 10;
    c.boxWidth = layout.legendBoxWidth;
    const int limit = client.right - layout.scrollMargin;
    c.descriptionX = pie.right * 6 / 5 + layout.legendBoxWidth;
    c.descriptionWidth = ClampWidth(longestWidth, c.descriptionX, limit);
    c.percentX = c.descriptionX + c.descriptionWidth + pie.right / 30;
    c.percentWidth = ClampWidth(percentWidth, c.percentX, limit);
    return c;
}
