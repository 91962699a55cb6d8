// tests/uikit/WidgetGeometryTest.cpp
// Where widgets draw and what part of them takes a click.
#include <gtest/gtest.h>

#include "uikit/widget/WidgetGeometry.h"

using namespace UiCtrl;

namespace {

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

::testing::AssertionResult RectIs(const RECT& actual, LONG l, LONG t, LONG r, LONG b)
{
    if (SameRect(actual, RECT{l, t, r, b}))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << actual.left << "," << actual.top << ","
                                         << actual.right << "," << actual.bottom << ")";
}

} // namespace

TEST(ButtonGeometry, StylesAndSkinSizes)
{
    struct Case {
        int userDefine, style, skinWidth, skinHeight;
    } cases[] = {
        {0, 0, 80, 28}, {2, 2, 120, 60}, {1, 1, 110, 40}, {5, 1, 110, 40}, {-3, 1, 110, 40},
    };
    for (const Case& c : cases) {
        const int style = NormaliseButtonStyle(c.userDefine);
        EXPECT_EQ(style, c.style) << c.userDefine;
        EXPECT_EQ(ButtonSkinSize(style).cx, c.skinWidth) << c.userDefine;
        EXPECT_EQ(ButtonSkinSize(style).cy, c.skinHeight) << c.userDefine;
    }
}

TEST(ButtonGeometry, NarrowButtonsStretchTheirSkin)
{
    struct Case {
        int style, width;
        bool stretches;
    } cases[] = {
        {0, 96, true}, {0, 97, false}, {1, 126, true}, {1, 127, false},
        {2, 500, true},   // style 2 always stretches
    };
    for (const Case& c : cases)
        EXPECT_EQ(ButtonSkinStretches(c.style, c.width), c.stretches) << c.style << " " << c.width;
}

TEST(ButtonGeometry, ThreeSliceCoversTheButtonOnce)
{
    // 25 px cap, 20 px tiles from source 25 up to right - 5, then the 5 px right cap.
    auto copies = ThreeSliceCopies(100, 210, 80);
    ASSERT_EQ(copies.size(), 6u);
    EXPECT_EQ(copies[0].destX, 100);
    EXPECT_EQ(copies[0].srcX, 0);
    EXPECT_EQ(copies[0].width, 25);
    EXPECT_EQ(copies[1].destX, 125);
    EXPECT_EQ(copies[1].srcX, 25);
    EXPECT_EQ(copies[1].width, 20);
    EXPECT_EQ(copies[4].destX, 185);
    EXPECT_EQ(copies[4].width, 20);
    EXPECT_EQ(copies.back().destX, 205);
    EXPECT_EQ(copies.back().srcX, 75);
    EXPECT_EQ(copies.back().width, 5);
    // The last tile is cut where the right cap starts.
    auto cut = ThreeSliceCopies(0, 60, 80);
    ASSERT_EQ(cut.size(), 4u);
    EXPECT_EQ(cut[2].destX, 45);
    EXPECT_EQ(cut[2].width, 10);

    for (int right : {131, 150, 151, 170, 171, 400}) {
        auto slices = ThreeSliceCopies(10, right, 110);
        int x = 10;
        for (const SliceCopy& s : slices) {
            EXPECT_EQ(s.destX, x) << right;   // no gap, no overlap
            EXPECT_GT(s.width, 0) << right;
            EXPECT_LE(s.srcX + s.width, 110) << right;   // inside the skin
            x += s.width;
        }
        EXPECT_EQ(x, right);
    }
    EXPECT_TRUE(ThreeSliceCopies(0, 20, 80).empty());
}

TEST(PictureButtons, DisabledButtonsShowTheirDisabledPicture)
{
    struct Case {
        int state, enabled, index;
    } cases[] = {
        {0, 1, 0}, {1, 1, 1}, {2, 1, 2}, {3, 1, 3},
        {0, 0, 3}, {1, 0, 3}, {2, 0, 2}, {3, 0, 3}, {9, 1, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PictureIndexForState(c.state, c.enabled), c.index) << c.state << c.enabled;
}

TEST(CheckGeometry, HitAreasAreFixedAtTheTopLeft)
{
    const RECT widget = {100, 50, 400, 80};
    EXPECT_TRUE(RectIs(CheckHitArea(widget), 100, 50, 260, 66));
    EXPECT_TRUE(RectIs(ImgTextHitArea(widget, 0), 100, 50, 320, 110));
    EXPECT_TRUE(RectIs(ImgTextHitArea(widget, 1), 100, 50, 400, 80));
    EXPECT_TRUE(RectIs(CheckBoxRect(widget, 0, 20), 100, 50, 113, 63));
    EXPECT_TRUE(RectIs(CheckBoxRect(widget, 1, 20), 100, 50, 120, 70));
}

TEST(FilterRowGeometry, KindNameAndExtensionPlaces)
{
    const RECT widget = {10, 100, 310, 130};
    const RECT kind = FilterKindNameRect(widget, 16, 40);
    EXPECT_TRUE(RectIs(kind, 46, 100, 101, 130));
    EXPECT_TRUE(RectIs(FilterExtensionRect(widget, kind), 107, 100, 310, 130));
}

TEST(FilterRowGeometry, UserListBracketFollowsTheTextWhenItFits)
{
    // A row far from x = 0: a fit test against the right edge's coordinate would let any
    // text up to ~1000 px "fit".
    const RECT widget = {800, 0, 1100, 30};
    const RECT extension = {900, 0, 1100, 30};
    struct Case {
        bool user;
        int width;
        bool fits;
        LONG bracketRight;
    } cases[] = {
        {false, 0, false, 1090},
        {true, 50, true, 955},
        {true, 185, true, 1090},   // 900 + 185 + 5 is still inside
        {true, 186, false, 1090},  // would pass the bracket's own place
        {true, 900, false, 1090},
    };
    for (const Case& c : cases) {
        FilterTextLayout layout = LayoutFilterText(widget, extension, c.user, c.width);
        EXPECT_EQ(layout.fits, c.fits) << c.width;
        EXPECT_EQ(layout.bracket.right, c.bracketRight) << c.width;
        EXPECT_TRUE(RectIs(layout.text, 900, 0, 1087, 30));
    }
}

TEST(LinkGeometry, WidthFollowsTheCaptionAndMaxRightCuts)
{
    const RECT widget = {20, 5, 500, 25};
    EXPECT_TRUE(RectIs(LinkFitRect(widget, 80, 0), 20, 5, 100, 25));
    EXPECT_TRUE(RectIs(LinkFitRect(widget, 80, 60), 20, 5, 60, 25));
    EXPECT_TRUE(RectIs(LinkFitRect(widget, 80, 300), 20, 5, 100, 25));
}

TEST(DropRowGeometry, TextStartsAfterTheCheckImage)
{
    EXPECT_TRUE(RectIs(DropRowTextRect(RECT{2, 27, 158, 53}, 16, 50), 20, 27, 70, 53));
    EXPECT_TRUE(RectIs(DropRowTextRect(RECT{2, 27, 158, 53}, 0, 50), 4, 27, 54, 53));
}

TEST(ImageCheckGeometry, ImageLeftOrRight)
{
    const RECT widget = {10, 10, 210, 34};
    ImgCheckLayout left = LayoutImgCheck(widget, SIZE{16, 16}, 8, 0);
    EXPECT_TRUE(RectIs(left.image, 10, 10, 26, 26));
    EXPECT_TRUE(RectIs(left.text, 34, 15, 210, 34));
    EXPECT_EQ(left.format & DT_RIGHT, 0u);
    ImgCheckLayout right = LayoutImgCheck(widget, SIZE{16, 16}, 8, 1);
    EXPECT_TRUE(RectIs(right.image, 194, 10, 210, 26));
    EXPECT_TRUE(RectIs(right.text, 10, 15, 186, 34));
    EXPECT_NE(right.format & DT_RIGHT, 0u);
    // Without "nGapSize" the gap is 0: the text touches the image.
    EXPECT_EQ(LayoutImgCheck(widget, SIZE{16, 16}, 0, 0).text.left, 26);
}

TEST(ImageTextGeometry, IconAndTextPlaces)
{
    const RECT widget = {0, 100, 200, 140};
    struct Case {
        int align, toTop, bgImage;
        LONG iconX, iconY, textLeft, textRight;
        UINT extra;
    } cases[] = {
        {0, 0, 0, 10, 110, 38, 200, 0},
        {0, 3, 0, 10, 113, 38, 200, 0},
        {0, 0, 1, 10, 110, 0, 200, 0},
        {1, 0, 0, 180, 100, 0, 172, DT_RIGHT},
        {2, 0, 0, 10, 110, 38, 200, DT_CENTER},
    };
    for (const Case& c : cases) {
        ImgTextLayout l = LayoutImgText(widget, SIZE{20, 20}, 8, c.align, c.toTop, c.bgImage);
        EXPECT_EQ(l.icon.x, c.iconX) << c.align << c.toTop << c.bgImage;
        EXPECT_EQ(l.icon.y, c.iconY) << c.align << c.toTop << c.bgImage;
        EXPECT_EQ(l.text.left, c.textLeft) << c.align << c.toTop << c.bgImage;
        EXPECT_EQ(l.text.right, c.textRight) << c.align << c.toTop << c.bgImage;
        EXPECT_EQ(l.format & (DT_RIGHT | DT_CENTER), c.extra);
    }
}
