// tests/uikit/draw/MaskedBitmapTest.cpp
// CMaskedBitmap through the window layer's bitmap and context objects.
#include <gtest/gtest.h>

#include "uikit/draw/MaskedBitmap.h"

namespace {

const COLORREF kKey = RGB(255, 0, 255), kInk = RGB(0, 200, 90), kPaper = RGB(30, 36, 49);

TEST(MaskedBitmap, DrawsPlainStretchedAndWithATransparentColour)
{
    CDC screen;
    screen.Attach(::GetDC(nullptr));
    CDC target, source;
    ASSERT_TRUE(target.CreateCompatibleDC(&screen));
    ASSERT_TRUE(source.CreateCompatibleDC(&screen));
    CBitmap surface;
    ASSERT_TRUE(surface.CreateCompatibleBitmap(&screen, 40, 40));
    HGDIOBJ oldTarget = target.SelectObject((HGDIOBJ)surface.m_hObject);

    CMaskedBitmap picture;
    ASSERT_TRUE(picture.CreateCompatibleBitmap(&screen, 10, 10));
    HGDIOBJ oldSource = source.SelectObject((HGDIOBJ)picture.m_hObject);
    RECT all = {0, 0, 10, 10}, dot = {3, 3, 7, 7};
    HBRUSH key = CreateSolidBrush(kKey), ink = CreateSolidBrush(kInk), paper = CreateSolidBrush(kPaper);
    FillRect(source.m_hDC, &all, key);
    FillRect(source.m_hDC, &dot, ink);
    source.SelectObject(oldSource); // one bitmap, one context at a time

    RECT whole = {0, 0, 40, 40};
    FillRect(target.m_hDC, &whole, paper);
    EXPECT_TRUE(picture.Draw(&target, 0, 0));
    EXPECT_EQ(GetPixel(target.m_hDC, 0, 0), kKey);
    EXPECT_EQ(GetPixel(target.m_hDC, 4, 4), kInk);

    FillRect(target.m_hDC, &whole, paper);
    EXPECT_TRUE(picture.StretchDraw(&target, 0, 0, 20, 20));
    EXPECT_EQ(GetPixel(target.m_hDC, 19, 19), kKey);
    EXPECT_EQ(GetPixel(target.m_hDC, 9, 9), kInk);

    FillRect(target.m_hDC, &whole, paper);
    EXPECT_TRUE(picture.DrawTransparent(&target, 20, 20, kKey));
    EXPECT_EQ(GetPixel(target.m_hDC, 20, 20), kPaper);
    EXPECT_EQ(GetPixel(target.m_hDC, 24, 24), kInk);
    EXPECT_FALSE(picture.Draw(nullptr, 0, 0));

    target.SelectObject(oldTarget);
    DeleteObject(key);
    DeleteObject(ink);
    DeleteObject(paper);
    ::ReleaseDC(nullptr, screen.Detach());
}

} // namespace
