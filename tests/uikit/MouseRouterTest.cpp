// tests/uikit/MouseRouterTest.cpp
// Hover, leave, press and release routing, shared by every widget host.
#include <gtest/gtest.h>

#include "uikit/host/MouseRouter.h"

using namespace UiCtrl;

namespace {

// Records what the router asks of it.
class ProbeItem : public UiItem {
public:
    ProbeItem(int id, RECT rect)
    {
        Create(nullptr, id, 0, rect.left, rect.top, rect.right, rect.bottom);
    }
    int OnMouseLBtnDown(WPARAM, LPARAM) override { return ++downs; }
    int OnMouseLBtnUp(WPARAM, LPARAM) override { return ++clicks; }
    int OnMouseMove(WPARAM, LPARAM) override { return ++moves; }
    int downs = 0, clicks = 0, moves = 0;
};

LPARAM At(int x, int y)
{
    return MAKELPARAM(x, y);
}

class MouseRouterTest : public ::testing::Test {
protected:
    MouseRouterTest() : router(items)
    {
        items[1] = a = new ProbeItem(1, RECT{0, 0, 50, 20});
        items[2] = b = new ProbeItem(2, RECT{60, 0, 110, 20});
        // Overlaps a: the lower id wins.
        items[3] = c = new ProbeItem(3, RECT{40, 0, 70, 20});
    }
    ~MouseRouterTest() override { DeleteItems(items); }

    UiItemMap items;
    MouseRouter router;
    ProbeItem* a;
    ProbeItem* b;
    ProbeItem* c;
};

} // namespace

TEST_F(MouseRouterTest, HoverMovesFromWidgetToWidgetInOneMove)
{
    unsigned flags = router.OnMouseMove(0, At(10, 10));
    EXPECT_TRUE(flags & MouseRouter::kTrackLeave);
    EXPECT_TRUE(flags & MouseRouter::kRepaint);
    EXPECT_EQ(a->GetState(), kStateHover);

    flags = router.OnMouseMove(0, At(80, 10));
    EXPECT_FALSE(flags & MouseRouter::kTrackLeave);   // requested once
    EXPECT_TRUE(flags & MouseRouter::kRepaint);
    EXPECT_EQ(a->GetState(), kStateNormal);
    EXPECT_EQ(b->GetState(), kStateHover);

    // Moving inside the hovered widget is its own business.
    EXPECT_EQ(router.OnMouseMove(0, At(81, 11)), 0u);
    EXPECT_EQ(b->moves, 1);

    // Over nothing: back to normal.
    EXPECT_TRUE(router.OnMouseMove(0, At(200, 10)) & MouseRouter::kRepaint);
    EXPECT_EQ(b->GetState(), kStateNormal);
    EXPECT_EQ(router.HoverItem(), nullptr);
}

TEST_F(MouseRouterTest, OverlapGoesToTheLowerIdAndHiddenWidgetsAreNotHit)
{
    EXPECT_EQ(MouseRouter::HitTest(items, POINT{45, 5}), a);
    EXPECT_EQ(MouseRouter::HitTest(items, POINT{50, 5}), c);   // right edge is exclusive
    a->SetVisible(0);
    EXPECT_EQ(MouseRouter::HitTest(items, POINT{45, 5}), c);
    EXPECT_EQ(MouseRouter::HitTest(items, POINT{0, 20}), nullptr);
}

TEST_F(MouseRouterTest, DisabledWidgetKeepsItsLookButStillGetsThePress)
{
    a->Enable(0);
    router.OnMouseMove(0, At(10, 10));
    EXPECT_EQ(a->GetState(), kStateDisabled);
    router.OnLButtonDown(0, At(10, 10));
    EXPECT_EQ(a->GetState(), kStateDisabled);
    EXPECT_EQ(a->downs, 1);
    // Leaving it does not make it look enabled.
    router.OnMouseMove(0, At(80, 10));
    EXPECT_EQ(a->GetState(), kStateDisabled);
}

TEST_F(MouseRouterTest, LeavingTheWindowRestoresTheHoverWidget)
{
    router.OnMouseMove(0, At(10, 10));
    EXPECT_TRUE(router.IsTracking());
    EXPECT_EQ(router.OnMouseLeave(), unsigned(MouseRouter::kRepaint));
    EXPECT_EQ(a->GetState(), kStateNormal);
    EXPECT_FALSE(router.IsTracking());
    EXPECT_TRUE(router.OnMouseMove(0, At(10, 10)) & MouseRouter::kTrackLeave);
}

TEST_F(MouseRouterTest, ClickGoesOnlyToTheWidgetPressedAndReleasedUpon)
{
    struct Case {
        POINT down;
        POINT up;
        int clicksA, clicksB;
        const char* what;
    } cases[] = {
        {{10, 10}, {12, 12}, 1, 0, "press and release on a"},
        {{10, 10}, {80, 10}, 0, 0, "press on a, release on b"},
        {{200, 10}, {80, 10}, 0, 0, "press on nothing, release on b"},
        {{10, 10}, {200, 10}, 0, 0, "press on a, release on nothing"},
    };
    for (const Case& c : cases) {
        a->clicks = b->clicks = 0;
        router.OnLButtonDown(0, At(c.down.x, c.down.y));
        router.OnLButtonUp(0, At(c.up.x, c.up.y));
        EXPECT_EQ(a->clicks, c.clicksA) << c.what;
        EXPECT_EQ(b->clicks, c.clicksB) << c.what;
        // Whatever the click did, nothing stays drawn pressed under the cursor.
        EXPECT_NE(a->GetState(), kStatePressed) << c.what;
    }
    router.OnLButtonDown(0, At(10, 10));
    router.OnLButtonUp(0, At(12, 12));
    EXPECT_EQ(a->GetState(), kStateHover);
    // A release alone (the press happened outside the window) clicks nothing.
    router.OnLButtonUp(0, At(80, 10));
    EXPECT_EQ(b->clicks, 0);
}

TEST_F(MouseRouterTest, PressedStateAndEndOfPressOnLeave)
{
    router.OnLButtonDown(0, At(80, 10));
    EXPECT_EQ(b->GetState(), kStatePressed);
    EXPECT_EQ(router.PressedItem(), b);
    // The release happens outside the window: the press is over.
    router.OnMouseLeave();
    EXPECT_EQ(router.PressedItem(), nullptr);
    router.OnLButtonUp(0, At(80, 10));
    EXPECT_EQ(b->clicks, 0);
}

TEST_F(MouseRouterTest, WidgetReplacedBetweenMessagesIsNeverTouchedThroughAStalePointer)
{
    router.OnMouseMove(0, At(80, 10));
    router.OnLButtonDown(0, At(80, 10));
    delete items[2];
    auto* replacement = new ProbeItem(2, RECT{60, 0, 110, 20});
    items[2] = replacement;
    router.OnLButtonUp(0, At(80, 10));
    EXPECT_EQ(replacement->clicks, 1);
    items.erase(2);
    delete replacement;
    EXPECT_EQ(router.HoverItem(), nullptr);
    EXPECT_EQ(router.OnMouseMove(0, At(10, 10)) & MouseRouter::kRepaint,
              unsigned(MouseRouter::kRepaint));
}
