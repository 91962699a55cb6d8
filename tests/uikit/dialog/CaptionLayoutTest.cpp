// tests/uikit/dialog/CaptionLayoutTest.cpp
#include <gtest/gtest.h>

#include "uikit/dialog/CaptionLayout.h"

using namespace CaptionLayout;

TEST(CaptionLayout, ItemsGoLeftwardsWithMaximiseAndRestoreSharingOnePlace)
{
    // close 30 wide, maximise and restore 30, minimise 24, help 40.
    const std::vector<Child> children = {{kClose, 0, 0, 30, 30},   {kMaximise, 0, 0, 30, 30},
                                     {kRestore, 0, 0, 30, 30}, {kMinimise, 0, 0, 24, 30},
                                     {0, 0, 0, 99, 99},        {77, 0, 0, 40, 20}};
    const std::vector<Slot> slots = Place(1000, children, false);
    ASSERT_EQ(slots.size(), 5u);   // the child without an id is no item
    const RECT expected[] = {{969, 1, 999, 31}, {933, 1, 963, 31}, {933, 1, 963, 31},
                             {897, 1, 927, 31}, {867, 1, 891, 21}};
    const int ids[] = {kClose, kMaximise, kRestore, kMinimise, 77};
    for (size_t i = 0; i < slots.size(); ++i) {
        EXPECT_EQ(slots[i].id, ids[i]);
        EXPECT_TRUE(EqualRect(&slots[i].rect, &expected[i])) << "item " << i;
    }
}

TEST(CaptionLayout, APopupWithAMaximiseBoxEndsAfterRestore)
{
    const std::vector<Child> children = {{kClose, 0, 0, 30, 30},
                                     {kMaximise, 0, 0, 30, 30},
                                     {kRestore, 0, 0, 30, 30},
                                     {kMinimise, 0, 0, 30, 30}};
    EXPECT_EQ(Place(500, children, true).size(), 3u);
    EXPECT_EQ(Place(500, children, false).size(), 4u);
    EXPECT_TRUE(Place(500, {}, false).empty());
}
