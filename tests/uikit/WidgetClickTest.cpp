// tests/uikit/WidgetClickTest.cpp
// What each widget type reports to its owner when pressed and released on, called directly
// (the host's routing is tested on its own).
#include <gtest/gtest.h>

#include "UiKitTestEnv.h"
#include "uikit/host/UiSdkWndBase.h"
#include "uikit/widget/UIFilterTypeItem.h"
#include "uikit/widget/UILinkItem.h"
#include "uikit/widget/UiCheckBtn.h"
#include "uikit/widget/UiCheckBtnWithoutWnd.h"
#include "uikit/widget/UiImgCheckBtn.h"
#include "uikit/widget/UiImgTextBtn.h"

using namespace UiCtrl;

namespace {

class WidgetClickTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        uikittest::UseTestResources();
        ASSERT_EQ(UiSdkWndBase::LoadLayout("Gallery", sink.Hwnd(), items), 0);
        sink.Take();
    }
    void TearDown() override { DeleteItems(items); }

    // A press and a release at (dx, dy) from the widget's top-left, as the host passes them.
    std::vector<uikittest::CommandSink::Command> Click(int id, int dx, int dy)
    {
        RECT r;
        items[id]->GetRect(r);
        const LPARAM at = MAKELPARAM(r.left + dx, r.top + dy);
        items[id]->OnMouseLBtnDown(MK_LBUTTON, at);
        items[id]->OnMouseLBtnUp(0, at);
        return sink.Take();
    }

    uikittest::CommandSink& sink = uikittest::SharedSink();
    UiItemMap items;
};

} // namespace

TEST_F(WidgetClickTest, EachTypeReportsItsClick)
{
    struct Case {
        int id;
        int dx, dy;
        bool reports;
        LPARAM value;
        const char* what;
    } cases[] = {
        {10, 5, 5, true, 0, "check tile"},
        {20, 5, 5, true, 0, "push button"},
        {40, 2, 2, true, 0, "link without address"},
        {50, 2, 2, false, 0, "static text"},
        {60, 5, 5, true, 0, "picture button"},
        {70, 5, 5, true, 1, "check box, now checked"},
        {70, 200, 5, false, 0, "check box, outside its hit area"},
        {80, 100, 5, true, 0, "file-kind row, beside the picture"},
        {80, 12, 10, true, 1, "file-kind row, on the picture"},
        {90, 5, 5, true, 0, "image button"},
        {100, 5, 5, true, 1, "image check, now checked"},
        {110, 5, 5, true, 1, "icon and text, now pressed"},
    };
    for (const Case& c : cases) {
        auto commands = Click(c.id, c.dx, c.dy);
        if (!c.reports) {
            EXPECT_TRUE(commands.empty()) << c.what;
            continue;
        }
        ASSERT_EQ(commands.size(), 1u) << c.what;
        EXPECT_EQ(commands[0].wParam, WPARAM(c.id)) << c.what;
        EXPECT_EQ(commands[0].lParam, c.value) << c.what;
    }
}

TEST_F(WidgetClickTest, DisabledOrHiddenButtonsStaySilent)
{
    for (int id : {20, 60, 70, 90, 100, 110}) {
        items[id]->Enable(0);
        EXPECT_TRUE(Click(id, 5, 5).empty()) << id;
    }
    items[61]->SetVisible(0);
    EXPECT_TRUE(Click(61, 5, 5).empty());
    items[91]->SetVisible(0);
    EXPECT_TRUE(Click(91, 5, 5).empty());
}

TEST_F(WidgetClickTest, PictureButtonsReturnToHoverAfterTheClick)
{
    for (int id : {60, 90}) {
        items[id]->SetState(kStatePressed);
        Click(id, 5, 5);
        EXPECT_EQ(items[id]->GetState(), kStateHover) << id;
    }
}

TEST_F(WidgetClickTest, ChecksFlipBackAndForth)
{
    auto* tile = static_cast<UiCheckBtnWithoutWnd*>(items[10]);
    auto* box = static_cast<UiCheckBtn*>(items[70]);
    auto* image = static_cast<UiImgCheckBtn*>(items[100]);
    auto* toggle = static_cast<UiImgTextBtn*>(items[110]);
    Click(10, 5, 5);
    Click(70, 5, 5);
    Click(100, 5, 5);
    Click(110, 5, 5);
    EXPECT_TRUE(tile->IsChecked());
    EXPECT_TRUE(box->IsChecked());
    EXPECT_TRUE(image->IsChecked());
    EXPECT_TRUE(toggle->IsPressed());
    EXPECT_EQ(Click(70, 5, 5)[0].lParam, 0);
    EXPECT_EQ(Click(110, 5, 5)[0].lParam, 0);
    EXPECT_FALSE(box->IsChecked());
    EXPECT_FALSE(toggle->IsPressed());
}

TEST_F(WidgetClickTest, FileKindRowSelectsOrChecks)
{
    auto* row = static_cast<UIFilterTypeItem*>(items[80]);
    EXPECT_TRUE(row->IsChecked());
    Click(80, 12, 10);
    EXPECT_FALSE(row->IsChecked());
    EXPECT_FALSE(row->IsSelected());
    Click(80, 150, 10);
    EXPECT_TRUE(row->IsSelected());
    EXPECT_FALSE(row->IsChecked());
}

TEST(LinkAddresses, OnlyWebAndMailAddressesAreOpened)
{
    struct Case {
        const char* link;
        bool opens;
    } cases[] = {
        {"https://help.invalid/", true}, {"HTTP://help.invalid", true},
        {"mailto:support@help.invalid", true}, {"http://", false},
        {"C:\\windows\\system32\\cmd.exe", false}, {"file:///C:/x.exe", false},
        {"", false}, {"javascript:alert(1)", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(UILinkItem::IsOpenableLink(c.link), c.opens) << c.link;
}

TEST_F(WidgetClickTest, LinkShowsTheHandWhileUnderTheCursorAndGivesTheOldOneBack)
{
    HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    HCURSOR hand = LoadCursor(nullptr, IDC_HAND);
    SetCursor(arrow);
    UiItem* link = items[40];
    link->SetState(kStateHover);
    EXPECT_EQ(GetCursor(), hand);
    link->SetState(kStatePressed);
    EXPECT_EQ(GetCursor(), hand);
    // Leaving while pressed goes straight to normal: the arrow must come back all the same.
    link->SetState(kStateNormal);
    EXPECT_EQ(GetCursor(), arrow);
}
