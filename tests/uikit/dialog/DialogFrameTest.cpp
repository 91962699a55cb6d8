// tests/uikit/dialog/DialogFrameTest.cpp
#include <gtest/gtest.h>

#include "uikit/dialog/DialogFrame.h"

namespace {

::testing::AssertionResult SameRect(const RECT& a, const RECT& b)
{
    if (EqualRect(&a, &b))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "(" << a.left << "," << a.top << "," << a.right << "," << a.bottom << ") vs ("
           << b.left << "," << b.top << "," << b.right << "," << b.bottom << ")";
}

} // namespace

TEST(DialogFrame, ClientIsTheWindowBelowTheBandWhateverTheFrame)
{
    // The proposed rectangle decides, not an assumed system border.
    EXPECT_TRUE(SameRect(DialogFrame::ClientFromWindow({100, 200, 520, 436}),
                         {100, 250, 520, 436}));
    EXPECT_TRUE(SameRect(DialogFrame::ClientFromWindow({-5, -5, 10, 100}), {-5, 45, 10, 100}));
    // Lower than the band: an empty client at the bottom edge, never an inverted one.
    EXPECT_TRUE(SameRect(DialogFrame::ClientFromWindow({0, 0, 300, 20}), {0, 20, 300, 20}));
}

TEST(DialogFrame, MaximisedAndRestoredWindowsStayInsideTheWorkArea)
{
    const RECT work = {0, 0, 1280, 994};   // a task bar of 30 pixels below
    EXPECT_TRUE(SameRect(DialogFrame::MaximisedWindow(work), work));
    EXPECT_TRUE(SameRect(DialogFrame::RestoredWindow(work), {40, 134, 1240, 859}));
    // A work area smaller than 1200 x 725 gets the restored window shrunk into it.
    EXPECT_TRUE(SameRect(DialogFrame::RestoredWindow({0, 0, 1024, 738}), {0, 6, 1024, 731}));
    // A work area that does not start at the origin (task bar at the top or left).
    EXPECT_TRUE(SameRect(DialogFrame::RestoredWindow({60, 40, 1340, 1064}),
                         {100, 189, 1300, 914}));
}

TEST(DialogFrame, CentredOnItsOwnerButNeverOffTheScreen)
{
    const RECT work = {0, 0, 1280, 1024};
    EXPECT_TRUE(SameRect(DialogFrame::CentredWindow({100, 100, 900, 700}, work, 420, 236),
                         {290, 282, 710, 518}));
    // An owner near the right edge: the box moves left into the work area.
    EXPECT_TRUE(SameRect(DialogFrame::CentredWindow({1200, 900, 1400, 1000}, work, 420, 236),
                         {860, 788, 1280, 1024}));
    EXPECT_TRUE(SameRect(DialogFrame::CentredWindow({-400, -300, -100, -100}, work, 420, 236),
                         {0, 0, 420, 236}));
}
