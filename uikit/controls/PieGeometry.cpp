// uikit/controls/PieGeometry.cpp
#include "uikit/controls/PieGeometry.h"

#include <math.h>

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
    float rx = pie.Width() / 2.0f, ry = pie.Height() / 2.0f;
    if (rx <= 0.0f || ry <= 0.0f)
        return false;
    float cx = (pie.left + pie.right) / 2.0f, cy = (pie.top + pie.bottom) / 2.0f;
    float nx = (x - cx) / rx, ny = (y - cy) / ry;
    if (nx * nx + ny * ny > 1.0f)
        return false;
    float hole = 3.0f * static_cast<float>(pie.Width() / 15);
    float hx = x - cx, hy = y - cy;
    if (hx * hx + hy * hy < hole * hole)
        return false;
    return AngleInSector(AngleOfPoint(x, y, pie), start, sweep);
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
