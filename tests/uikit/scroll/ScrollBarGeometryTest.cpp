// tests/uikit/scroll/ScrollBarGeometryTest.cpp
// Scroll-bar part layout, hit testing, drag mapping and skin slicing, by tables.
#include <gtest/gtest.h>

#include "uikit/scroll/ScrollBarGeometry.h"

namespace {

SCROLLINFO Info(int nMin, int nMax, UINT nPage, int nPos, int nTrackPos = -1)
{
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    si.nMin = nMin;
    si.nMax = nMax;
    si.nPage = nPage;
    si.nPos = nPos;
    si.nTrackPos = nTrackPos;
    return si;
}

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

struct LayoutCase
{
    const char* what;
    int cell, length;
    SCROLLINFO info;
    int arrow, track, thumb, thumbStart, placedThumb;
};

TEST(ScrollBarGeometry, LaysOutArrowsTrackAndThumb)
{
    const LayoutCase cases[] = {
        // 144-px skin: a = 16; 200-px bar: track 168, thumb 10/100 of it.
        {"thumb at top", 16, 200, Info(0, 99, 10, 0), 16, 168, 16, 16, 16},
        {"thumb at end", 16, 200, Info(0, 99, 10, 90), 16, 168, 16, 16 + 152, 16},
        {"thumb half way", 16, 200, Info(0, 99, 10, 45), 16, 168, 16, 16 + 76, 16},
        {"track pos wins", 16, 200, Info(0, 99, 10, 0, 45), 16, 168, 16, 16 + 76, 16},
        {"small thumb raised to 6", 16, 200, Info(0, 9999, 10, 0), 16, 168, 6, 16, 6},
        {"no thumb below 6 px of track", 16, 37, Info(0, 99, 10, 0), 16, 5, 0, 16, 0},
        {"no track: half-length arrows", 16, 30, Info(0, 99, 10, 0), 15, 0, 0, 15, 0},
        {"page covers range: middle", 16, 200, Info(0, 9, 10, 0), 16, 168, 168, 16 + 84, 0},
        {"empty range does not divide by zero", 16, 200, Info(5, 4, 0, 5), 16, 168, 0, 16 + 84, 0},
        {"page beyond range: middle", 16, 200, Info(0, 9, 50, 0), 16, 168, 168, 16 + 84, 0},
        {"offset from nMin", 16, 200, Info(100, 199, 10, 100), 16, 168, 16, 16, 16},
        {"position past the end is held", 16, 200, Info(0, 99, 10, 500), 16, 168, 16, 168, 16},
    };
    for (const LayoutCase& c : cases) {
        ScrollBarGeometry g(true, c.cell, c.length, c.info);
        EXPECT_EQ(g.Arrow(), c.arrow) << c.what;
        EXPECT_EQ(g.Track(), c.track) << c.what;
        EXPECT_EQ(g.Thumb(), c.thumb) << c.what;
        EXPECT_EQ(g.ThumbStart(), c.thumbStart) << c.what;
        EXPECT_EQ(g.PlacedThumb(), c.placedThumb) << c.what;
    }
}

TEST(ScrollBarGeometry, PartsTileTheBarInOrder)
{
    for (bool vertical : {true, false}) {
        ScrollBarGeometry g(vertical, 16, 200, Info(0, 99, 10, 45));
        const int order[] = {kScrollPartLineUp, kScrollPartPageUp, kScrollPartThumb,
                             kScrollPartPageDown, kScrollPartLineDown};
        int expectStart = 0;
        for (int part : order) {
            int s = 0, e = 0;
            g.PartSpan(part, &s, &e);
            EXPECT_EQ(s, expectStart) << "part " << part;
            expectStart = e;
            const RECT r = g.PartRect(part);
            const RECT want = vertical ? RECT{0, s, 16, e} : RECT{s, 0, e, 16};
            EXPECT_TRUE(SameRect(r, want)) << "part " << part;
        }
        EXPECT_EQ(expectStart, 200);
    }
}

TEST(ScrollBarGeometry, FullPageSplitsTrackIntoHalves)
{
    ScrollBarGeometry g(true, 16, 200, Info(0, 9, 10, 0));
    int s = 0, e = 0;
    g.PartSpan(kScrollPartPageUp, &s, &e);
    EXPECT_EQ(e - s, 84);
    g.PartSpan(kScrollPartPageDown, &s, &e);
    EXPECT_EQ(e - s, 84);
    g.PartSpan(kScrollPartThumb, &s, &e);
    EXPECT_EQ(e - s, 0);
}

TEST(ScrollBarGeometry, HitTestAlongTheBar)
{
    ScrollBarGeometry v(true, 16, 200, Info(0, 99, 10, 45)); // thumb [92, 108)
    ScrollBarGeometry h(false, 16, 200, Info(0, 99, 10, 45));
    struct Case { int along; int part; };
    const Case cases[] = {
        {-1, kScrollPartNone}, {0, kScrollPartLineUp}, {15, kScrollPartLineUp},
        {16, kScrollPartPageUp}, {91, kScrollPartPageUp}, {92, kScrollPartThumb},
        {107, kScrollPartThumb}, {108, kScrollPartPageDown}, {183, kScrollPartPageDown},
        {184, kScrollPartLineDown}, {199, kScrollPartLineDown}, {200, kScrollPartNone},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(v.HitTest(3, c.along), c.part) << "vertical at " << c.along;
        EXPECT_EQ(h.HitTest(c.along, 3), c.part) << "horizontal at " << c.along;
    }
}

TEST(ScrollBarGeometry, DragMapsPixelsToPositionsAndClamps)
{
    // 100 lines, 10 per page: positions 0..90 over 152 free pixels.
    ScrollBarGeometry g(true, 16, 200, Info(0, 99, 10, 0));
    struct Case { int start, delta, pos; };
    const Case cases[] = {
        {0, 0, 0}, {0, 76, 45}, {0, 152, 90}, {0, 1000, 90}, {45, -1000, 0},
        {45, -76, 0}, {10, 1, 10},
    };
    for (const Case& c : cases)
        EXPECT_EQ(g.DragPosition(c.start, c.delta), c.pos) << c.start << " + " << c.delta;

    // The end is nMax - nPage + 1, also when nMin is not 0.
    ScrollBarGeometry shifted(true, 16, 200, Info(100, 199, 10, 100));
    EXPECT_EQ(shifted.MaxPosition(), 190);
    EXPECT_EQ(shifted.DragPosition(100, 1000), 190);
    EXPECT_EQ(shifted.DragPosition(150, -1000), 100);

    // Nothing to scroll: a drag never moves.
    ScrollBarGeometry full(true, 16, 200, Info(0, 9, 10, 0));
    EXPECT_EQ(full.DragPosition(0, 50), 0);
    ScrollBarGeometry empty(true, 16, 200, Info(0, -1, 0, 0));
    EXPECT_EQ(empty.DragPosition(0, 50), 0);
}

TEST(ScrollBarGeometry, ArrowsStopAtTheEnds)
{
    ScrollBarGeometry g(true, 16, 200, Info(0, 99, 10, 0));
    struct Case { int part, pos; bool can; };
    const Case cases[] = {
        {kScrollPartLineUp, 0, false}, {kScrollPartLineUp, 1, true},
        {kScrollPartLineDown, 89, true}, {kScrollPartLineDown, 90, false},
        {kScrollPartLineDown, 99, false}, {kScrollPartPageDown, 0, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(g.CanStep(c.part, c.pos), c.can) << "part " << c.part << " at " << c.pos;
}

TEST(ScrollSourceCell, ColumnsByPartAndOrientationRowsByState)
{
    struct Case { bool vertical; int part, state; RECT cell; };
    const Case cases[] = {
        {true, kScrollPartLineUp, 0, {0, 0, 16, 16}},
        {true, kScrollPartLineDown, 1, {16, 16, 32, 32}},
        {true, kScrollPartThumb, 2, {32, 32, 48, 48}},
        {true, kScrollPartPageUp, 0, {48, 0, 64, 16}},
        {true, kScrollPartPageDown, 0, {48, 0, 64, 16}},
        {false, kScrollPartLineUp, 0, {64, 0, 80, 16}},
        {false, kScrollPartLineDown, 2, {80, 32, 96, 48}},
        {false, kScrollPartThumb, 1, {96, 16, 112, 32}},
        {false, kScrollPartPageDown, 0, {112, 0, 128, 16}},
        {true, kScrollPartNone, 0, {0, 0, 0, 0}},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(SameRect(ScrollSourceCell(16, c.vertical, c.part, c.state), c.cell))
            << c.vertical << " part " << c.part << " state " << c.state;
}

TEST(ScrollSkinSlices, TilesAreCutAtTheEdges)
{
    const auto blits = TileBlits(RECT{0, 10, 16, 50}, RECT{48, 0, 64, 16});
    ASSERT_EQ(blits.size(), 3u);
    EXPECT_TRUE(SameRect(blits[0].dst, RECT{0, 10, 16, 26}));
    EXPECT_TRUE(SameRect(blits[2].dst, RECT{0, 42, 16, 50}));
    EXPECT_TRUE(SameRect(blits[2].src, RECT{48, 0, 64, 8}));
    EXPECT_TRUE(TileBlits(RECT{0, 0, 16, 16}, RECT{0, 0, 0, 0}).empty());
}

TEST(ScrollSkinSlices, ThumbHasCapsAndATiledMiddle)
{
    const auto v = ThumbBlits(RECT{0, 20, 16, 60}, RECT{32, 0, 48, 16}, true);
    ASSERT_GE(v.size(), 3u);
    EXPECT_TRUE(SameRect(v.front().dst, RECT{0, 20, 16, 23}));
    EXPECT_TRUE(SameRect(v.front().src, RECT{32, 0, 48, 3}));
    EXPECT_TRUE(SameRect(v.back().dst, RECT{0, 57, 16, 60}));
    EXPECT_TRUE(SameRect(v.back().src, RECT{32, 13, 48, 16}));
    int covered = 0;
    for (const ScrollBlit& b : v) {
        EXPECT_EQ(b.dst.bottom - b.dst.top, b.src.bottom - b.src.top);
        covered += b.dst.bottom - b.dst.top;
        if (&b != &v.front() && &b != &v.back()) {
            EXPECT_GE(b.src.top, 3);
            EXPECT_LE(b.src.bottom, 13);
        }
    }
    EXPECT_EQ(covered, 40);

    const auto h = ThumbBlits(RECT{30, 0, 40, 16}, RECT{96, 0, 112, 16}, false);
    ASSERT_GE(h.size(), 3u);
    EXPECT_TRUE(SameRect(h.front().src, RECT{96, 0, 99, 16}));
    EXPECT_TRUE(SameRect(h.back().dst, RECT{37, 0, 40, 16}));
    EXPECT_TRUE(ThumbBlits(RECT{0, 0, 16, 0}, RECT{32, 0, 48, 16}, true).empty());
}

TEST(ScrollSkinSlices, UncoveredStripFollowsTheMove)
{
    struct Case { RECT oldThumb, newThumb; bool vertical; RECT strip; };
    const Case cases[] = {
        {{0, 50, 16, 70}, {0, 40, 16, 60}, true, {0, 60, 16, 70}},   // up
        {{0, 50, 16, 70}, {0, 58, 16, 78}, true, {0, 50, 16, 58}},   // down
        {{0, 50, 16, 70}, {0, 10, 16, 30}, true, {0, 50, 16, 70}},   // far up: all of it
        {{50, 0, 70, 16}, {45, 0, 65, 16}, false, {65, 0, 70, 16}},  // left
        {{50, 0, 70, 16}, {50, 0, 70, 16}, true, {0, 0, 0, 0}},      // no move
    };
    for (const Case& c : cases)
        EXPECT_TRUE(SameRect(UncoveredStrip(c.oldThumb, c.newThumb, c.vertical), c.strip));
}

} // namespace
