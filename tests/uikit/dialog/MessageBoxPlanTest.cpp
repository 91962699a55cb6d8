// tests/uikit/dialog/MessageBoxPlanTest.cpp
#include <gtest/gtest.h>

#include "uikit/dialog/MessageBoxPlan.h"

using namespace MessageBoxPlan;

namespace {

const RECT kFirst = {220, 150, 310, 178};
const RECT kSecond = {320, 150, 410, 178};

Input Layout(UINT style)
{
    Input in;
    in.style = style;
    in.hasFirst = in.hasSecond = true;
    in.firstRect = kFirst;
    in.secondRect = kSecond;
    in.firstCaption = "OK";
    in.secondCaption = "Cancel";
    in.yesText = "Yes";
    in.noText = "No";
    return in;
}

bool Same(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

} // namespace

TEST(MessageBoxPlan, ButtonsTextsAndPlacesByStyle)
{
    struct Case {
        UINT style;
        bool secondVisible;
        RECT firstRect;
        const char* firstText;
        const char* secondText;
    } cases[] = {
        {MB_OK, false, kSecond, "OK", "Cancel"},
        {MB_ICONINFORMATION, false, kSecond, "OK", "Cancel"},   // 0x40: one button, at the right
        {MB_OKCANCEL, true, kFirst, "OK", "Cancel"},
        {MB_YESNO, true, kFirst, "Yes", "No"},
        {MB_YESNO | MB_ICONWARNING, true, kFirst, "Yes", "No"},
        {MB_YESNOCANCEL, true, kFirst, "OK", "Cancel"},        // only bits 1 and 4 count
    };
    for (const Case& c : cases) {
        const Plan plan = Make(Layout(c.style));
        ASSERT_TRUE(plan.usable) << c.style;
        EXPECT_TRUE(plan.first.visible) << c.style;
        EXPECT_EQ(plan.second.visible, c.secondVisible) << c.style;
        EXPECT_FALSE(plan.third.visible) << c.style;
        EXPECT_TRUE(Same(plan.first.rect, c.firstRect)) << c.style;
        EXPECT_EQ(plan.first.text, c.firstText) << c.style;
        if (c.secondVisible) {
            EXPECT_TRUE(Same(plan.second.rect, kSecond)) << c.style;
            EXPECT_EQ(plan.second.text, c.secondText) << c.style;
        }
    }
}

TEST(MessageBoxPlan, CustomTextsAndTheThirdButton)
{
    Input in = Layout(MB_YESNO);
    in.customFirst = "Keep";
    Plan plan = Make(in);
    EXPECT_EQ(plan.first.text, "Keep");
    EXPECT_EQ(plan.second.text, "No");

    in.customSecond = "Remove";
    in.customThird = "Later";
    for (int language : {0, 2}) {
        in.languageIndex = language;
        plan = Make(in);
        ASSERT_TRUE(plan.third.visible);
        const int width = language ? 120 : 80;
        EXPECT_TRUE(Same(plan.first.rect, {210 - width, 150, 210, 178})) << language;
        EXPECT_TRUE(Same(plan.second.rect, kFirst));
        EXPECT_TRUE(Same(plan.third.rect, kSecond));
        EXPECT_EQ(plan.first.text, "Keep");
        EXPECT_EQ(plan.second.text, "Remove");
        EXPECT_EQ(plan.third.text, "Later");
    }
}

TEST(MessageBoxPlan, ALayoutWithoutTheNeededButtonsIsNotUsable)
{
    Input none = Layout(MB_OK);
    none.hasFirst = none.hasSecond = false;
    EXPECT_FALSE(Make(none).usable);

    Input onlyFirst = Layout(MB_OK);
    onlyFirst.hasSecond = false;
    const Plan lone = Make(onlyFirst);
    ASSERT_TRUE(lone.usable);   // a lone button keeps its own place
    EXPECT_TRUE(Same(lone.first.rect, kFirst));
    onlyFirst.style = MB_YESNO;
    EXPECT_FALSE(Make(onlyFirst).usable);   // "No" would have nowhere to go

    Input onlySecond = Layout(MB_OK);
    onlySecond.hasFirst = false;
    EXPECT_FALSE(Make(onlySecond).usable);
}

TEST(MessageBoxPlan, ResultsOfTheSkinnedAndTheSystemBox)
{
    EXPECT_EQ(ResultOf(kFirstButton, false), 1);
    EXPECT_EQ(ResultOf(kSecondButton, false), 2);
    EXPECT_EQ(ResultOf(kThirdButton, true), 3);
    EXPECT_EQ(ResultOf(kCloseItem, false), 2);
    EXPECT_EQ(ResultOf(kCloseItem, true), 3);
    EXPECT_EQ(ResultOf(133, false), 0);

    EXPECT_EQ(SystemStyleOf(MB_OK) & MB_TYPEMASK, (UINT)MB_OK);
    EXPECT_EQ(SystemStyleOf(MB_ICONINFORMATION) & MB_ICONMASK, (UINT)MB_ICONINFORMATION);
    EXPECT_EQ(SystemStyleOf(MB_OKCANCEL) & MB_TYPEMASK, (UINT)MB_OKCANCEL);
    EXPECT_EQ(SystemStyleOf(MB_YESNO | MB_ICONWARNING) & (MB_TYPEMASK | MB_ICONMASK),
              (UINT)(MB_YESNO | MB_ICONWARNING));
    EXPECT_EQ(SystemStyleOf(MB_YESNOCANCEL) & MB_TYPEMASK, (UINT)MB_OKCANCEL);
    const struct { int answer, result; } answers[] = {
        {IDOK, 1}, {IDYES, 1}, {IDCANCEL, 2}, {IDNO, 2}, {0, 2}, {IDABORT, 3}, {IDRETRY, 3}};
    for (auto a : answers)
        EXPECT_EQ(ResultOfSystemAnswer(a.answer), a.result) << a.answer;
}
