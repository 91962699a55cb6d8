// tests/uikit/draw/DrawHelpersTest.cpp
// The drawing helpers on a memory context over a 32-bit DIB, checked pixel by pixel.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "uikit/draw/BitmapDraw.h"
#include "uikit/draw/GDIPlus.h"
#include "uikit/draw/GradientFill.h"
#include "app/ImageOwnSize.h"
#include "tests/uikit/draw/PngFile.h"
#include "tests/support/DibSurface.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kGrey = RGB(40, 40, 40);
const COLORREF kGreen = RGB(0, 200, 0), kMagenta = RGB(255, 0, 255);

using Surface = DibSurface;

bool Near(COLORREF a, COLORREF b, int tolerance)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

::testing::AssertionResult IsNear(COLORREF actual, COLORREF expected, int tolerance)
{
    if (Near(actual, expected, tolerance))
        return ::testing::AssertionSuccess();
    char text[96];
    wsprintfA(text, "pixel 0x%06lX, expected 0x%06lX within %d", actual, expected, tolerance);
    return ::testing::AssertionFailure() << text;
}

class DrawHelpers : public ::testing::Test
{
protected:
    CGDIPlus gdiplus;
};

TEST_F(DrawHelpers, GdiplusStarts)
{
    EXPECT_TRUE(gdiplus.IsStarted());
}

TEST_F(DrawHelpers, HorizontalGradientStartsRedAndReachesBlue)
{
    Surface s(100, 20, kGrey);
    gdiplus.FillGradientRect(s.dc(), 0, 0, 100, 20, kRed, kBlue, 0);
    for (int y : {0, 10, 19}) {
        EXPECT_TRUE(IsNear(s.At(0, y), kRed, 8)) << "row " << y;
        EXPECT_TRUE(IsNear(s.At(99, y), kBlue, 8)) << "row " << y;
    }
    // Colour 1 fades on the way: the middle is neither end.
    EXPECT_FALSE(Near(s.At(50, 10), kRed, 40));
    EXPECT_FALSE(Near(s.At(50, 10), kBlue, 40));
}

TEST_F(DrawHelpers, VerticalGradientRunsTopToBottom)
{
    Surface s(20, 100, kGrey);
    gdiplus.FillGradientRect(s.dc(), 0, 0, 20, 100, kRed, kBlue, 1);
    EXPECT_TRUE(IsNear(s.At(10, 0), kRed, 8));
    EXPECT_TRUE(IsNear(s.At(10, 99), kBlue, 8));
    EXPECT_TRUE(IsNear(s.At(0, 50), s.At(19, 50), 1)) << "rows are uniform";
}

TEST_F(DrawHelpers, UnknownDirectionFillsRectangleButNotEllipse)
{
    Surface rect(40, 40, kGrey), ellipse(40, 40, kGrey);
    gdiplus.FillGradientRect(rect.dc(), 0, 0, 40, 40, kRed, kBlue, 2);
    gdiplus.FillGradientEllipse(ellipse.dc(), 0, 0, 40, 40, kRed, kBlue, 2);
    EXPECT_TRUE(IsNear(rect.At(0, 20), kRed, 12)) << "direction 2 runs horizontally";
    EXPECT_TRUE(ellipse.Untouched(kGrey));

    gdiplus.FillGradientEllipse(ellipse.dc(), 0, 0, 40, 40, kRed, kBlue, 0);
    EXPECT_NE(ellipse.At(20, 20), kGrey);
    EXPECT_EQ(ellipse.At(0, 0), kGrey) << "the ellipse leaves its box's corners";
}

TEST_F(DrawHelpers, CornerMaskPaintsOnlyOutsideTheRoundedCorner)
{
    struct Case { int corner; int outsideX, outsideY, insideX, insideY; };
    const Case cases[] = {
        {0, 0, 0, 9, 9}, {1, 39, 0, 30, 9}, {2, 0, 39, 9, 30}, {3, 39, 39, 30, 30}};
    for (const Case& c : cases) {
        Surface s(40, 40, kGrey);
        gdiplus.FillCornerMask(s.dc(), 0, 0, 40, 40, 10, kGreen, kGreen, c.corner);
        EXPECT_TRUE(IsNear(s.At(c.outsideX, c.outsideY), kGreen, 4)) << "corner " << c.corner;
        EXPECT_EQ(s.At(c.insideX, c.insideY), kGrey) << "corner " << c.corner;
        EXPECT_EQ(s.At(20, 20), kGrey) << "corner " << c.corner;
    }
    Surface none(40, 40, kGrey);
    gdiplus.FillCornerMask(none.dc(), 0, 0, 40, 40, 10, kGreen, kGreen, 4);
    EXPECT_TRUE(none.Untouched(kGrey));
}

TEST(PentagonGradientSpan, TakesTwoHorizontalEdgesOrFallsBackToTheExtent)
{
    struct Case { POINT p[5]; int lower, upper; const char* what; };
    const Case cases[] = {
        // A tab shape: a flat top edge and a flat bottom edge.
        {{{0, 10}, {20, 10}, {30, 20}, {20, 40}, {0, 40}}, 40, 10, "two flat edges"},
        // A house: one flat edge (the floor), a pointed roof: no second edge.
        {{{10, 0}, {20, 10}, {20, 30}, {0, 30}, {0, 10}}, 30, 0, "one flat edge"},
        // No flat edge at all.
        {{{10, 0}, {21, 8}, {17, 22}, {4, 23}, {0, 9}}, 23, 0, "no flat edge"},
        // Two flat edges at the same height give no span of their own.
        {{{0, 5}, {10, 5}, {20, 5}, {15, 25}, {5, 15}}, 25, 5, "collinear flat edges"},
    };
    for (const Case& c : cases) {
        int lower = -1, upper = -1;
        PentagonGradientSpan(c.p, &lower, &upper);
        EXPECT_EQ(lower, c.lower) << c.what;
        EXPECT_EQ(upper, c.upper) << c.what;
    }
}

TEST_F(DrawHelpers, PentagonWithoutFlatEdgesIsStillFilledBottomToTop)
{
    const POINT p[5] = {{30, 0}, {59, 22}, {48, 59}, {12, 59 - 1}, {0, 22}};
    Surface s(60, 60, kGrey);
    gdiplus.FillPentagon(s.dc(), kRed, kBlue, p);
    const COLORREF low = s.At(30, 52), high = s.At(30, 6);
    ASSERT_NE(low, kGrey);
    ASSERT_NE(high, kGrey);
    EXPECT_GT(GetRValue(low), GetRValue(high)) << "colour 1 sits at the bottom";
    EXPECT_GT(GetBValue(high), GetBValue(low)) << "colour 2 sits at the top";
}

TEST_F(DrawHelpers, RectangleOutlineStaysInsideTheRectangle)
{
    Surface s(40, 40, kGrey);
    gdiplus.DrawRect(s.dc(), 10, 10, 30, 30, kGreen, 1.0f);
    EXPECT_EQ(s.At(10, 10), kGreen);
    EXPECT_EQ(s.At(29, 20), kGreen) << "right edge on the last column";
    EXPECT_EQ(s.At(20, 29), kGreen) << "bottom edge on the last row";
    EXPECT_EQ(s.At(20, 30), kGrey) << "nothing below the rectangle";
    EXPECT_EQ(s.At(30, 20), kGrey) << "nothing right of the rectangle";
    EXPECT_EQ(s.At(20, 20), kGrey);
}

TEST_F(DrawHelpers, RoundRectFillsInsideAndKeepsCornersClear)
{
    Surface s(60, 40, kGrey);
    gdiplus.FillRoundRect(s.dc(), 0, 0, 60, 40, kBlue, kBlue, kGreen, 16, 0);
    EXPECT_TRUE(IsNear(s.At(30, 20), kBlue, 4));
    EXPECT_TRUE(IsNear(s.At(30, 0), kGreen, 40)) << "border along the top";
    EXPECT_EQ(s.At(0, 0), kGrey);
    EXPECT_EQ(s.At(59, 39), kGrey);
}

TEST_F(DrawHelpers, SolidAlphaAndHatchFills)
{
    Surface solid(20, 20, kGrey);
    gdiplus.FillSolidRect(solid.dc(), 5, 5, 15, 15, kRed);
    EXPECT_EQ(solid.At(5, 5), kRed);
    EXPECT_EQ(solid.At(14, 14), kRed);
    EXPECT_EQ(solid.At(15, 15), kGrey);

    Surface alpha(20, 20, RGB(0, 0, 0));
    gdiplus.FillAlphaRect(alpha.dc(), 0, 0, 20, 20, RGB(200, 200, 200), 128);
    EXPECT_TRUE(IsNear(alpha.At(10, 10), RGB(100, 100, 100), 3));

    Surface hatch(20, 20, kGrey);
    gdiplus.FillHatchRect(hatch.dc(), 0, 0, 20, 20, kRed, 255, kBlue, 255, 0 /* horizontal */);
    int red = 0, blue = 0;
    for (int y = 0; y < 20; ++y)
        (hatch.At(10, y) == kRed ? red : hatch.At(10, y) == kBlue ? blue : red) += 1;
    EXPECT_GT(red, 0);
    EXPECT_GT(blue, red);
}

TEST_F(DrawHelpers, EachInstanceShutsDownOnlyItsOwnStartUp)
{
    auto second = std::make_unique<CGDIPlus>();
    ASSERT_TRUE(second->IsStarted());
    second.reset();
    Surface s(10, 10, kGrey);
    gdiplus.FillSolidEllipse(s.dc(), 0, 0, 10, 10, kRed);
    EXPECT_EQ(s.At(5, 5), kRed);
}

TEST_F(DrawHelpers, ImagesAreDrawnInTheirOwnPixelSize)
{
    // A 72-dpi picture: drawn by resolution it would come out a third larger.
    Gdiplus::Bitmap image(10, 10, PixelFormat32bppARGB);
    image.SetResolution(72.0f, 72.0f);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            image.SetPixel(x, y, Gdiplus::Color(255, 255, 0, 0));
    Surface s(40, 40, kGrey);
    ASSERT_TRUE(DrawImageAtOwnSize(s.dc(), &image, 5, 5));
    EXPECT_EQ(s.At(5, 5), kRed);
    EXPECT_EQ(s.At(14, 14), kRed);
    EXPECT_EQ(s.At(15, 15), kGrey);
    EXPECT_EQ(s.At(4, 4), kGrey);
    EXPECT_FALSE(DrawImageAtOwnSize(s.dc(), nullptr, 0, 0));
}

TEST_F(DrawHelpers, EveryOperationOnOneSheet)
{
    // Every operation once on a real context, each checked where it paints, and the sheet
    // kept under the build folder for a person to look at.
    Surface s(640, 200, RGB(0x17, 0x1A, 0x1C));
    const COLORREF green = RGB(0x00, 0xDB, 0x7C), navy = RGB(0x1E, 0x24, 0x31);
    const COLORREF blue = RGB(0x00, 0x85, 0xE7), text = RGB(0xAF, 0xBA, 0xDB);
    HDC dc = s.dc();
    gdiplus.FillSolidRect(dc, 10, 10, 70, 70, blue);
    gdiplus.FillGradientRect(dc, 80, 10, 140, 70, green, navy, 0);
    gdiplus.FillGradientRect(dc, 150, 10, 210, 70, green, navy, 1);
    gdiplus.FillGradientRectBetween(dc, 220, 10, 280, 70, blue, green, 220, 10, 280, 70);
    gdiplus.FillAlphaRect(dc, 240, 30, 300, 90, text, 96);
    gdiplus.FillRadialRect(dc, 310, 10, 370, 70, green, navy, 0.3f, 0.3f);
    gdiplus.FillSolidEllipse(dc, 380, 10, 440, 70, blue, 1);
    gdiplus.FillGradientEllipse(dc, 450, 10, 510, 70, green, blue, 1, 1);
    gdiplus.FillRadialEllipse(dc, 520, 10, 580, 70, text, navy, 0.2f, 0.2f, 1);
    gdiplus.DrawRect(dc, 10, 90, 70, 150, text, 1.0f);
    gdiplus.DrawArc(dc, 80, 90, 140, 150, green, 3.0f, 180.0f, 270.0f, 1);
    gdiplus.DrawLine(dc, blue, 2.0f, 150, 90, 210, 150, 1);
    gdiplus.DrawStyledLine(dc, 1 /* dash */, 2.0f, text, 150, 150, 210, 90, 1);
    gdiplus.FillRoundRect(dc, 220, 100, 330, 140, RGB(0x3E, 0x4F, 0x73), navy, text, 14, 1, 1);
    gdiplus.FillRoundRectAlpha(dc, 340, 100, 450, 140, green, RGB(0x00, 0x9E, 0x5A), green, 14, 0, 1, 200);
    gdiplus.FillTriangle(dc, green, 460, 150, 490, 90, 520, 150, 1);
    gdiplus.FillSolidRect(dc, 530, 90, 590, 150, blue);
    gdiplus.FillCornerMask(dc, 530, 90, 590, 150, 12, RGB(0x17, 0x1A, 0x1C), RGB(0x17, 0x1A, 0x1C), 0, 1);
    gdiplus.FillCornerMask(dc, 530, 90, 590, 150, 12, RGB(0x17, 0x1A, 0x1C), RGB(0x17, 0x1A, 0x1C), 3, 1);
    const POINT tab[5] = {{600, 10}, {630, 10}, {635, 40}, {630, 70}, {600, 70}};
    gdiplus.FillPentagon(dc, green, navy, tab, 1, 1);
    const POINT star[5] = {{615, 90}, {635, 110}, {628, 145}, {602, 145}, {595, 110}};
    gdiplus.FillRadialPentagon(dc, text, blue, star, 0.2f, 0.2f, 1, 1);
    gdiplus.FillHatchRect(dc, 10, 160, 630, 190, RGB(0x35, 0x42, 0x5E), 255, navy, 255, 38);
    const COLORREF background = RGB(0x17, 0x1A, 0x1C);
    EXPECT_EQ(s.At(40, 40), blue);
    // The operations no other case here looks at, each where it should have painted.
    // A gradient between two points: blue at the first, changing towards the second.
    EXPECT_TRUE(IsNear(s.At(221, 11), blue, 30));
    EXPECT_FALSE(Near(s.At(270, 20), blue, 30));
    // Radial fills: the centre colour in the middle, the edge colour (or nothing) outside.
    EXPECT_GT(GetGValue(s.At(340, 40)), GetGValue(s.At(311, 11)) + 60);
    EXPECT_TRUE(IsNear(s.At(311, 11), navy, 40));
    EXPECT_TRUE(IsNear(s.At(550, 40), text, 40));
    EXPECT_EQ(s.At(521, 11), background);
    // The arc from 180 degrees sweeping 270 covers the top and leaves the lower left.
    EXPECT_TRUE(IsNear(s.At(110, 90), green, 60));
    EXPECT_TRUE(IsNear(s.At(140, 120), green, 60));
    EXPECT_EQ(s.At(89, 141), background);
    // The solid line runs from (150, 90) down to (210, 150).
    EXPECT_TRUE(IsNear(s.At(165, 105), blue, 60));
    EXPECT_TRUE(IsNear(s.At(195, 135), blue, 60));
    // The dashed line from (150, 150) up to (210, 90) has both dashes and gaps.
    int dash = 0, gap = 0;
    for (int x = 152; x < 175; ++x) {
        const COLORREF c = s.At(x, 300 - x);
        dash += Near(c, text, 60) ? 1 : 0;
        gap += Near(c, background, 20) ? 1 : 0;
    }
    EXPECT_GT(dash, 3);
    EXPECT_GT(gap, 1);
    // The translucent rounded rectangle: green over the background inside, corners clear.
    const COLORREF veiled = s.At(395, 120);
    EXPECT_GT(GetGValue(veiled), GetRValue(veiled) + 60);
    EXPECT_GT(GetGValue(veiled), GetBValue(veiled) + 20);
    EXPECT_EQ(s.At(340, 100), background);
    // The triangle is filled inside and leaves its corner boxes alone.
    EXPECT_TRUE(IsNear(s.At(490, 130), green, 10));
    EXPECT_EQ(s.At(462, 92), background);
    // The radial pentagon is filled inside its points only.
    EXPECT_NE(s.At(615, 120), background);
    EXPECT_EQ(s.At(596, 146), background);
    HBITMAP sheet = s.Release();
    EXPECT_TRUE(SavePng(sheet, BuildFolderFile("uikit_draw_sheet.png")));
}

// A bitmap in the context's own format: magenta with a red square in (2, 2, 6, 6).
HBITMAP MakeKeyedBitmap(HDC like)
{
    HBITMAP bitmap = CreateCompatibleBitmap(like, 8, 8);
    HDC dc = CreateCompatibleDC(like);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all = {0, 0, 8, 8}, square = {2, 2, 6, 6};
    HBRUSH magenta = CreateSolidBrush(kMagenta), red = CreateSolidBrush(kRed);
    FillRect(dc, &all, magenta);
    FillRect(dc, &square, red);
    DeleteObject(magenta);
    DeleteObject(red);
    SelectObject(dc, old);
    DeleteDC(dc);
    return bitmap;
}

TEST(BitmapDraw, PlainStretchedAndTransparent)
{
    Surface s(40, 40, kBlue);
    HBITMAP bitmap = MakeKeyedBitmap(s.dc());
    ASSERT_NE(bitmap, nullptr);

    ASSERT_TRUE(DrawBitmap(s.dc(), bitmap, 0, 0));
    EXPECT_EQ(s.At(0, 0), kMagenta);
    EXPECT_EQ(s.At(3, 3), kRed);
    EXPECT_EQ(s.At(8, 8), kBlue);

    s.Fill(kBlue);
    ASSERT_TRUE(StretchDrawBitmap(s.dc(), bitmap, 0, 0, 16, 16));
    EXPECT_EQ(s.At(15, 15), kMagenta);
    EXPECT_EQ(s.At(7, 7), kRed);
    EXPECT_EQ(s.At(16, 16), kBlue);

    s.Fill(kBlue);
    ASSERT_TRUE(DrawBitmapTransparent(s.dc(), bitmap, 10, 10, kMagenta));
    EXPECT_EQ(s.At(10, 10), kBlue) << "the keyed colour leaves the target showing";
    EXPECT_EQ(s.At(17, 17), kBlue);
    EXPECT_EQ(s.At(12, 12), kRed);
    EXPECT_EQ(s.At(15, 15), kRed);
    EXPECT_EQ(s.At(16, 16), kBlue);

    EXPECT_FALSE(DrawBitmap(s.dc(), nullptr, 0, 0));
    DeleteObject(bitmap);
}

TEST(GradientFill, GdiGradientRunsBetweenTheTwoColours)
{
    Surface s(30, 50, kGrey);
    ASSERT_TRUE(FillGdiGradient(s.dc(), 0, 0, 30, 50, kRed, kBlue, 1));
    EXPECT_TRUE(IsNear(s.At(15, 0), kRed, 12));
    EXPECT_TRUE(IsNear(s.At(15, 49), kBlue, 12));
    EXPECT_FALSE(FillGdiGradient(s.dc(), 10, 10, 10, 20, kRed, kBlue, 0));
}

} // namespace
