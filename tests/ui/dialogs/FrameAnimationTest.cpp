// tests/ui/dialogs/FrameAnimationTest.cpp
#include <gtest/gtest.h>

#include "app/GdiplusSession.h"
#include "app/SkinImage.h"
#include "ui/dialogs/FrameAnimation.h"

TEST(FrameAnimation, FramesOfTheSkinPicturesAndAtLeastOne)
{
    ASSERT_TRUE(EnsureGdiplus());
    Gdiplus::Image* spinner = LoadSkinImage("loading_common_tip.gif");
    Gdiplus::Image* still = LoadSkinImage("warning.png");
    ASSERT_NE(spinner, nullptr);
    ASSERT_NE(still, nullptr);
    EXPECT_GT(CountFrames(spinner), 1u);
    EXPECT_EQ(CountFrames(still), 1u);
    EXPECT_EQ(CountFrames(nullptr), 1u);
    delete spinner;
    delete still;
}

TEST(FrameAnimation, TheIndexWrapsEvenWithoutFrames)
{
    const struct { UINT index, count, next; } cases[] = {
        {0, 12, 1}, {10, 12, 11}, {11, 12, 0}, {0, 1, 0}, {0, 0, 0}, {5, 0, 0}, {7, 3, 0}};
    for (auto c : cases)
        EXPECT_EQ(NextFrame(c.index, c.count), c.next) << c.index << " of " << c.count;
}
