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
    EXPECT_EQ(DarkenColor(0x80FF8000, 10), 0xFFF57A00u);   // 255 - 10, 128 - 128/255 x 10 = 122.98
    EXPECT_EQ(DarkenColor(0xFF102030, 400), 0xFF000000u);
}

TEST(PieGeometry, PercentTexts)
{
    struct Case { float share; const char* label; const char* legend; };
    const Case cases[] = {
        {0.0525f, "5.25%", "05.25%"},   // the legend pads below 10 %
        {0.10f, "10.00%", "10.00%"},
        {1.0f, "100.00%", "100.00%"},
        {0.0f, "0.00%", "00.00%"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PercentText(c.share), c.label);
        EXPECT_EQ(LegendPercentText(c.share), c.legend);
    }
}

TEST(PieGeometry, TiltedAnglesFollowTheSquashedFace)
{
    const PieRect pie = {0, 0, 360, 360};
    // Without tilt the angles are the plain ones.
    TiltedAngles flat = ComputeTiltedAngles(pie, 0, 30, {45, 100, 215});
    EXPECT_NEAR(flat.start, 30, 0.01);
    ASSERT_EQ(flat.sweeps.size(), 3u);
    EXPECT_NEAR(flat.sweeps[0], 45, 0.01);
    EXPECT_NEAR(flat.sweeps[1], 100, 0.01);
    EXPECT_NEAR(flat.sweeps[2], 215, 0.01);
    // Offset 90 halves the face's height: 45 degrees lands at atan(90 / 180).
    TiltedAngles tilted = ComputeTiltedAngles(pie, 90, 0, {45, 45, 270});
    ASSERT_EQ(tilted.sweeps.size(), 3u);
    EXPECT_NEAR(tilted.start, 0, 0.01);
    EXPECT_NEAR(tilted.sweeps[0], 26.565, 0.01);
    EXPECT_NEAR(tilted.sweeps[1], 90 - 26.565, 0.01);
    EXPECT_NEAR(tilted.sweeps[2], 270, 0.01);
    EXPECT_NEAR(tilted.ends[0].y, 180 + 0.70710678 * (180 - 90), 0.01);
    // A single slice keeps its full turn whatever the tilt and start.
    for (float start : {0.0f, 90.0f, 200.0f})
        for (int offset : {0, 40, 90}) {
            TiltedAngles one = ComputeTiltedAngles(pie, offset, start, {360});
            ASSERT_EQ(one.sweeps.size(), 1u);
            EXPECT_FLOAT_EQ(one.sweeps[0], 360) << start << " " << offset;
        }
    // A hair of a slice at the wrap stays a hair, not a full turn.
    TiltedAngles hair = ComputeTiltedAngles(pie, 60, 0, {359.9999f, 0.0001f});
    ASSERT_EQ(hair.sweeps.size(), 2u);
    EXPECT_LT(hair.sweeps[1], 1.0f);
}

TEST(PieGeometry, SideWallPiecesShowTheFrontHalf)
{
    struct Case { float angle, sweep; std::vector<WallPiece> pieces; };
    const Case cases[] = {
        {0, 90, {{0, 90, true}}},
        {90, 180, {{90, 90, true}}},                     // ends at the back
        {100, 300, {{0, 40, true}, {100, 80, false}}},   // wraps into the front again
        {300, 120, {{0, 60, true}}},
        {250, 360, {{0, 180, true}}},                    // at most the whole front
        {200, 100, {}},                                  // all at the back
        {370, 50, {{10, 50, true}}},                     // 360 comes off once
        {0, 360, {{0, 180, true}}},
    };
    for (const Case& c : cases) {
        std::vector<WallPiece> got = SideWallPieces(c.angle, c.sweep);
        ASSERT_EQ(got.size(), c.pieces.size()) << c.angle << "+" << c.sweep;
        for (size_t i = 0; i < got.size(); ++i) {
            EXPECT_FLOAT_EQ(got[i].start, c.pieces[i].start) << c.angle << "+" << c.sweep;
            EXPECT_FLOAT_EQ(got[i].sweep, c.pieces[i].sweep) << c.angle << "+" << c.sweep;
            EXPECT_EQ(got[i].reset, c.pieces[i].reset) << c.angle << "+" << c.sweep;
        }
    }
}

TEST(PieGeometry, WallOutlineIsTheBandBetweenTheFaces)
{
    const PieRect top = {0, 0, 200, 100}, bottom = {0, 20, 200, 120};
    std::vector<PiePoint> wall = SideWallOutline(top, bottom, 0, 180);
    EXPECT_TRUE(PointInPolygon(100, 110, wall));    // between the two lower rims
    EXPECT_FALSE(PointInPolygon(100, 50, wall));    // on the top face
    EXPECT_FALSE(PointInPolygon(100, 125, wall));   // below the wall
    std::vector<PiePoint> right = SideWallOutline(top, bottom, 0, 45);
    EXPECT_FALSE(PointInPolygon(100, 110, right));  // 90 degrees is past this piece
    PiePoint p = EllipsePoint(top, 90);
    EXPECT_NEAR(p.x, 100, 0.01);
    EXPECT_NEAR(p.y, 100, 0.01);
    p = EllipsePoint(top, 45);                       // the ray, not the parameter
    EXPECT_NEAR(p.x - 100, p.y - 50, 0.01);
    EXPECT_TRUE(PointInEllipseSector(150, 60, top, 0, 90));
    EXPECT_FALSE(PointInEllipseSector(150, 40, top, 0, 90));
    EXPECT_FALSE(PointInEllipseSector(199, 95, top, 0, 90));   // outside the ellipse
}

TEST(PieGeometry, TiltedLabelsRideTheTopFace)
{
    const PieRect pie = {0, 0, 200, 200}, top = {0, 20, 200, 160};   // radius 80
    PiePoint p = TiltedLabelCentre(pie, top, 50, 0, 180);          // middle angle 90
    EXPECT_NEAR(p.x, 100, 0.01);
    EXPECT_NEAR(p.y, 90 + 80 - 40, 0.01);
    p = TiltedLabelCentre(pie, top, 50, 270, 180);                 // middle angle 0
    EXPECT_NEAR(p.x, 180, 0.01);
    EXPECT_NEAR(p.y, 90, 0.01);
}

TEST(PieGeometry, LegendColumnsAndRows)
{
    const PieRect pie = {30, 40, 390, 400};
    PieLayout layout = ComputePieLayout(600, pie);   // rows 24 + 18
    LegendColumns c = ComputeLegendColumns(pie, PieRect{0, 0, 900, 400}, layout, 20, 100, 60);
    EXPECT_EQ(c.top, 40);                  // a long list starts at the pie's top
    EXPECT_EQ(c.boxX, 390 + 39);
    EXPECT_EQ(c.descriptionX, 468 + 45);
    EXPECT_EQ(c.descriptionWidth, 100);
    EXPECT_EQ(c.percentX, 513 + 100 + 13);
    EXPECT_EQ(c.percentWidth, 60);
    c = ComputeLegendColumns(pie, PieRect{0, 0, 900, 400}, layout, 2, 100, 60);
    EXPECT_EQ(c.top, 220 - 42);            // a short one is centred on the pie
    // A narrow client cuts the description and leaves no room for percentages.
    c = ComputeLegendColumns(pie, PieRect{0, 0, 600, 400}, layout, 2, 100, 60);
    EXPECT_EQ(c.descriptionWidth, 600 - 30 - 513);
    EXPECT_EQ(c.percentWidth, 0);
    // Nine rows of 24 + 18 fit in the pie's 360 pixels (8 x 42 + 24 = 360).
    EXPECT_EQ(FittingLegendRows(layout, pie, 20), 9);
    EXPECT_EQ(FittingLegendRows(layout, pie, 4), 4);
    EXPECT_EQ(FittingLegendHeight(layout, pie, 20), 9 * 42 - 18);
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
