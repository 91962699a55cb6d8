// tests/uikit/controls/PieGeometryTest.cpp
#include <gtest/gtest.h>

#include "uikit/controls/PieGeometry.h"

namespace {

TEST(PieGeometry, LightenColorTable)
{
    struct Case { uint32_t in; float factor; uint32_t out; };
    const Case cases[] = {
        {0x00000000, 120, 0xFF787878},   // 0 + 255/255 x 120
        {0x80FF0000, 120, 0xFFFF7878},   // opaque whatever the input alpha
        {0xFF102030, 0, 0xFF102030},
        {0xFF102030, 255, 0xFFFFFFFF},
        {0xFF646464, 400, 0xFFFFFFFF},   // capped
        {0xFF808080, 200, 0xFFE3E3E3},   // 128 + 127/255 x 200 = 227.6 -> 227
    };
    for (const Case& c : cases)
        EXPECT_EQ(LightenColor(c.in, c.factor), c.out) << std::hex << c.in << " " << c.factor;
}

TEST(PieGeometry, PieRectIsSquareAndAtLeast150)
{
    struct Case { PieRect client; PieRect pie; };
    const Case cases[] = {
        {{0, 0, 600, 400}, {30, 40, 390, 400}},     // wide: side = height 360
        {{0, 0, 300, 600}, {30, 40, 270, 280}},     // tall: side = width 240
        {{0, 0, 100, 100}, {30, 40, 180, 190}},     // small: 150
        {{10, 20, 210, 120}, {40, 60, 190, 210}},
    };
    for (const Case& c : cases) {
        PieRect r = GetPieRect(c.client);
        EXPECT_EQ(r.left, c.pie.left);
        EXPECT_EQ(r.top, c.pie.top);
        EXPECT_EQ(r.right, c.pie.right);
        EXPECT_EQ(r.bottom, c.pie.bottom);
    }
}

TEST(PieGeometry, AngleOfPointTable)
{
    const PieRect r = {0, 0, 100, 100};
    struct Case { float x, y, angle; };
    const Case cases[] = {
        {100, 50, 0}, {50, 100, 90}, {0, 50, 180}, {50, 0, 270},
        {100, 100, 45}, {0, 100, 135}, {0, 0, 225}, {100, 0, 315},
        {50, 50, 0},   // the centre has no direction
    };
    for (const Case& c : cases)
        EXPECT_NEAR(AngleOfPoint(c.x, c.y, r), c.angle, 0.01f) << c.x << "," << c.y;
}

TEST(PieGeometry, LabelsSitOnTheMiddleAngle)
{
    const PieRect pie = {0, 0, 200, 200};   // radius 2 x 200 / 5 = 80
    PiePoint p = PercentLabelCentre(pie, 0, 180);
    EXPECT_NEAR(p.x, 100, 0.01);
    EXPECT_NEAR(p.y, 180, 0.01);
    p = PercentLabelCentre(pie, 270, 90);
    EXPECT_NEAR(p.x, 100 + 80 * 0.70710678, 0.01);
    EXPECT_NEAR(p.y, 100 - 80 * 0.70710678, 0.01);
    EXPECT_EQ(PercentLabelPointSize(PieRect{0, 0, 100, 100}), 7);
    EXPECT_EQ(PercentLabelPointSize(PieRect{0, 0, 250, 250}), 10);
    EXPECT_EQ(PercentLabelPointSize(PieRect{0, 0, 900, 900}), 11);
}

TEST(PieGeometry, TiltedFaces)
{
    const PieRect pie = {0, 0, 360, 360};
    PieRect top, bottom;
    int d = -1;
    GetTiltedFaces(pie, 0, 0.5f, &top, &bottom, &d);
    EXPECT_EQ(d, 0);
    EXPECT_EQ(top.top, 0);
    EXPECT_EQ(bottom.bottom, 360);
    GetTiltedFaces(pie, 45, 0.5f, &top, &bottom, &d);
    EXPECT_EQ(d, 90);                        // 360 x 45 / 180
    EXPECT_EQ(top.top, 90 - 22);             // k = 90 x 0.5 / 2 = 22
    EXPECT_EQ(top.bottom, 270 - 22);
    EXPECT_EQ(bottom.top, 90 + 22);
    EXPECT_EQ(bottom.bottom, 270 + 22);
}

TEST(PieGeometry, SectorsWrapAroundZero)
{
    struct Case { float angle, start, sweep; bool in; };
    const Case cases[] = {
        {10, 0, 90, true}, {90, 0, 90, false}, {350, 300, 90, true}, {20, 300, 90, true},
        {40, 300, 90, false}, {123, 0, 360, true}, {5, 5, 0, false}, {-10, 340, 30, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AngleInSector(c.angle, c.start, c.sweep), c.in)
            << c.angle << " in " << c.start << "+" << c.sweep;
}

TEST(PieGeometry, RingClickMissesTheHoleAndTheOutside)
{
    const PieRect pie = {0, 0, 300, 300};   // u = 20, hole radius 60
    EXPECT_TRUE(PointInRingSlice(250, 160, pie, 0, 90));
    EXPECT_FALSE(PointInRingSlice(250, 140, pie, 0, 90));   // just before the start angle
    EXPECT_FALSE(PointInRingSlice(160, 160, pie, 0, 90));   // in the hole
    EXPECT_FALSE(PointInRingSlice(290, 290, pie, 0, 90));   // outside the ellipse
    EXPECT_FALSE(PointInRingSlice(150, 250, pie, 0, 45));   // 90 degrees: past the sweep
    EXPECT_TRUE(PointInRingSlice(150, 250, pie, 45, 90));
}

TEST(PieGeometry, LayoutFollowsWidth)
{
    PieRect pie = {30, 40, 390, 400};
    PieLayout layout = ComputePieLayout(600, pie);
    EXPECT_EQ(layout.pieSize, 400);
    EXPECT_EQ(layout.scrollMargin, 30);
    EXPECT_EQ(layout.rowHeight, 24);          // 360 / 15
    EXPECT_EQ(layout.legendBoxWidth, 45);     // 360 / 8
    EXPECT_EQ(layout.rowGap, 18);             // 360 / 20 = 18
    layout = ComputePieLayout(200, PieRect{0, 0, 600, 600});
    EXPECT_EQ(layout.pieSize, 180);
    EXPECT_EQ(layout.rowHeight, 25);
    EXPECT_EQ(layout.legendBoxWidth, 46);     // 375 / 8
    EXPECT_EQ(LegendHeight(layout, 0), 0);
    EXPECT_EQ(LegendHeight(layout, 3), 3 * (25 + 18) - 18);
}

}  // namespace
