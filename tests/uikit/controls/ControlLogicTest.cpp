// tests/uikit/controls/ControlLogicTest.cpp
#include <gtest/gtest.h>

#include "tests/support/DibSurface.h"
#include "uikit/controls/CopyLimitedRichEditCtrl.h"
#include "uikit/controls/ScrollWnd.h"
#include "uikit/controls/XPTabCtrl.h"

namespace {

SCROLLINFO Info(int pos, int minimum, int maximum, UINT page = 0, int track = 0)
{
    SCROLLINFO info = {sizeof info, SIF_ALL, minimum, maximum, page, pos, track};
    return info;
}

TEST(ScrollSteps, PositionsTable)
{
    struct Case { UINT code; SCROLLINFO info; int step; int expected; };
    const Case cases[] = {
        {SB_LINEUP, Info(5, 0, 100), 10, 4},
        {SB_LINEUP, Info(0, 0, 100), 10, 0},
        {SB_LINEDOWN, Info(99, 0, 100), 10, 100},
        {SB_LINEDOWN, Info(100, 0, 100), 10, 100},
        {SB_PAGEUP, Info(25, 0, 100), 10, 15},
        {SB_PAGEUP, Info(8, 0, 100), 10, 0},
        {SB_PAGEUP, Info(10, 0, 100), 10, 0},
        {SB_PAGEDOWN, Info(85, 0, 100), 10, 95},
        {SB_PAGEDOWN, Info(95, 0, 100), 10, 100},
        {SB_THUMBTRACK, Info(5, 0, 100, 0, 42), 10, 42},
        {SB_THUMBTRACK, Info(5, 0, 100, 0, 400), 10, 100},   // never past the range
        {SB_THUMBPOSITION, Info(5, 0, 100, 0, 42), 10, 5},
        {SB_TOP, Info(5, 0, 100), 10, 5},
        {SB_BOTTOM, Info(5, 0, 100), 10, 5},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NextScrollPosition(c.code, c.info, c.step), c.expected) << c.code << " " << c.info.nPos;
}

TEST(ScrollSteps, WheelTable)
{
    EXPECT_EQ(WheelScrollPosition(Info(200, 0, 1000, 100), WHEEL_DELTA), 80);
    EXPECT_EQ(WheelScrollPosition(Info(50, 0, 1000, 100), WHEEL_DELTA), 0);
    EXPECT_EQ(WheelScrollPosition(Info(850, 0, 1000, 100), -WHEEL_DELTA), 900);   // last page
    EXPECT_EQ(WheelScrollPosition(Info(0, 0, 50, 100), -WHEEL_DELTA), 0);         // fits
}

TEST(CopyLimitedEdit, DropsWhatCouldCopy)
{
    struct Case { UINT message; bool modifiers; bool dropped; };
    const Case cases[] = {
        {WM_KEYDOWN, true, true}, {WM_KEYUP, true, true}, {WM_KEYDOWN, false, false},
        {WM_CHAR, true, false}, {WM_LBUTTONDOWN, false, true}, {WM_LBUTTONDBLCLK, false, true},
        {WM_LBUTTONUP, false, false}, {WM_COPY, false, true}, {WM_CUT, false, true},
        {WM_PAINT, true, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CopyLimitedDrops(c.message, c.modifiers), c.dropped) << std::hex << c.message;
}

// The test prefix runs Wine's own "light" theme, so the themed path is the one taken.
TEST(TabTheme, DrawsThemedTabsAndFailsWithoutAClass)
{
    EXPECT_GE(TabWindowsVersion(), 0x50001u);
    ASSERT_TRUE(TabThemesUsable());
    const COLORREF unpainted = RGB(1, 2, 3);
    DibSurface surface(40, 24, unpainted);
    RECT rect = {0, 0, 40, 24};
    EXPECT_EQ(DrawThemedBackground(surface.dc(), 1, 1, "TAB", rect), S_OK);
    EXPECT_NE(surface.At(20, 12), unpainted);
    surface.Fill(unpainted);
    EXPECT_EQ(DrawThemedBackground(surface.dc(), 1, 1, "", rect), E_FAIL);
    EXPECT_EQ(DrawThemedBackground(surface.dc(), 1, 1, nullptr, rect), E_FAIL);
    EXPECT_EQ(DrawThemedBackground(surface.dc(), 1, 1, "NoSuchThemeClass", rect), E_FAIL);
    EXPECT_EQ(surface.At(20, 12), unpainted);
}

}  // namespace

#include "uikit/controls/OwnerDrawButtons.h"

namespace {

TEST(ButtonLooks, StateRuleTable)
{
    struct Case { bool disabled, pressed, over; ButtonLook look; };
    const Case cases[] = {
        {true, true, true, kLookDisabled}, {false, true, false, kLookPressed},
        {false, true, true, kLookPressed}, {false, false, true, kLookHover},
        {false, false, false, kLookNormal},   // untouched: normal, not pressed
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChooseButtonLook(c.disabled, c.pressed, c.over), c.look);
    const bool all[4] = {true, true, true, true};
    const bool onlyNormal[4] = {true, false, false, false};
    EXPECT_EQ(ChooseBitmapLook(true, true, true, all), kLookPressed);
    EXPECT_EQ(ChooseBitmapLook(false, true, true, all), kLookDisabled);
    EXPECT_EQ(ChooseBitmapLook(false, false, true, all), kLookHover);
    EXPECT_EQ(ChooseBitmapLook(true, true, true, onlyNormal), kLookNormal);
}

}  // namespace
