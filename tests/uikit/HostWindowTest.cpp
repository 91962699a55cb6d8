// tests/uikit/HostWindowTest.cpp
// The widget host under Xvfb: one widget of every type in every state painted off screen,
// the mouse moved and clicked by posted messages, the commands the owner receives.
#include <gtest/gtest.h>

#include <memory>

#include "UiKitTestEnv.h"
#include "app/ResourceHelper.h"
#include "tests/support/MessagePump.h"
#include "uikit/host/UiSdkWndBase.h"

using namespace UiCtrl;

namespace {

class TestHost : public UiSdkWndBase {
public:
    TestHost() : UiSdkWndBase("UiKitTestHost", 0, 0, 0) {}
    bool Build(HWND parent, int width, int height)
    {
        CreateWin(parent, 77, 0, 0, width, height, WS_VISIBLE);
        return hwnd_ && LoadLayout("Gallery", hwnd_, items_) == 0;
    }
    COLORREF SurfacePixel(int x, int y) const { return GetPixel(surface_.Dc(), x, y); }
    // Pages handle their widgets' commands in their own window procedure; this one notes them.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND)
            commands.push_back({wParam, lParam});
        return UiSdkWndBase::WindowProc(message, wParam, lParam);
    }
    std::vector<uikittest::CommandSink::Command> Take()
    {
        DispatchQueuedMessages();
        std::vector<uikittest::CommandSink::Command> out;
        out.swap(commands);
        return out;
    }
    std::vector<uikittest::CommandSink::Command> commands;
    RECT RectOf(int id)
    {
        RECT r = {0, 0, 0, 0};
        if (UiItem* item = FindItem(id))
            item->GetRect(r);
        return r;
    }
};

// A bitmap resource's pixel (x, y) when stretched to width x height over the host
// background, white left out, as picture widgets draw it.
COLORREF PicturePixel(int bitmap, int width, int height, int x, int y)
{
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP surface = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, surface);
    RECT all = {0, 0, width, height};
    HBRUSH background = CreateSolidBrush(kHostBackground);
    FillRect(memory, &all, background);
    ResourceHelper::Instance().DrawPicture(memory, ResourceHelper::Instance().LoadPicture(bitmap, 2),
                                           0, 0, width, height, 0xFFFFFF);
    const COLORREF pixel = GetPixel(memory, x, y);
    SelectObject(memory, old);
    DeleteObject(background);
    DeleteObject(surface);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixel;
}

class HostWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        uikittest::UseTestResources();
        ASSERT_TRUE(host.Build(sink.Hwnd(), 1120, 720));
        host.Take();
    }

    void Post(UINT message, WPARAM wParam, POINT at)
    {
        PostMessageA(host.GetHwnd(), message, wParam, MAKELPARAM(at.x, at.y));
        DispatchQueuedMessages();
    }
    // The real cursor goes there too, so that leave tracking sees it inside the window.
    void MoveTo(POINT at)
    {
        POINT screen = at;
        ClientToScreen(host.GetHwnd(), &screen);
        SetCursorPos(screen.x, screen.y);
        Post(WM_MOUSEMOVE, 0, at);
    }
    POINT Inside(int id, int dx = 5, int dy = 5)
    {
        RECT r = host.RectOf(id);
        return POINT{r.left + dx, r.top + dy};
    }
    void Paint()
    {
        InvalidateRect(host.GetHwnd(), nullptr, FALSE);
        UpdateWindow(host.GetHwnd());
    }
    void ShowStates()
    {
        uikittest::ShowEveryState(host.Items());
        Paint();
    }

    uikittest::CommandSink& sink = uikittest::SharedSink();
    TestHost host;
};

} // namespace

TEST_F(HostWindowTest, EveryWidgetTypePaintsItsStates)
{
    ShowStates();
    // Brushes the layout gives.
    struct Fill {
        int id;
        int dx, dy;
        COLORREF colour;
        const char* what;
    } fills[] = {
        {80, 3, 27, 0x2B211C, "file-kind row, row brush"},
        {81, 3, 27, 0x5E4235, "file-kind row, hover brush"},
        {100, 167, 20, 0x2E241E, "image check, background"},
        {110, 165, 3, 0x2E241E, "icon and text, normal"},
        {111, 165, 3, 0x48382F, "icon and text, hover brush"},
        {114, 165, 3, 0x5E4235, "icon and text, pressed brush"},
    };
    for (const Fill& c : fills) {
        POINT p = Inside(c.id, c.dx, c.dy);
        EXPECT_EQ(host.SurfacePixel(p.x, p.y), c.colour) << c.what;
    }
    // Bitmap pictures by state (the skin's own pixels).
    struct Picture {
        int id;
        int bitmap;
        const char* what;
    } pictures[] = {
        {10, 603, "tile, normal"},        {11, 604, "tile, hover"},
        {12, 604, "tile, pressed"},       {14, 606, "tile, checked"},
        {60, 550, "picture button, normal"}, {61, 549, "picture button, hover"},
        {62, 551, "picture button, pressed"}, {63, 202, "picture button, disabled"},
    };
    for (const Picture& c : pictures) {
        POINT p = Inside(c.id, 2, 2);
        EXPECT_EQ(host.SurfacePixel(p.x, p.y), PicturePixel(c.bitmap, 30, 30, 2, 2)) << c.what;
    }
    // The push button's four looks differ.
    COLORREF looks[4];
    for (int s = 0; s < 4; ++s) {
        POINT p = Inside(20 + s, 40, 14);
        looks[s] = host.SurfacePixel(p.x, p.y);
        EXPECT_NE(looks[s], kHostBackground) << s;
    }
    EXPECT_NE(looks[0], looks[1]);
    EXPECT_NE(looks[1], looks[2]);
    EXPECT_NE(looks[0], looks[3]);
}

TEST_F(HostWindowTest, HiddenWidgetsDrawNothing)
{
    ShowStates();
    host.FindItem(11)->SetVisible(0);   // the check tile used to draw regardless
    host.FindItem(81)->SetVisible(0);
    Paint();
    POINT p = Inside(11, 2, 2);
    EXPECT_EQ(host.SurfacePixel(p.x, p.y), kHostBackground);
    p = Inside(81, 3, 27);
    EXPECT_EQ(host.SurfacePixel(p.x, p.y), kHostBackground);
}

TEST_F(HostWindowTest, SurfaceIsShownOnePixelToTheRight)
{
    ShowStates();
    HDC screen = GetDC(host.GetHwnd());
    POINT p = Inside(81, 3, 27);
    EXPECT_EQ(GetPixel(screen, p.x + 1, p.y), 0x5E4235u);
    EXPECT_EQ(GetPixel(screen, 0, 300), kHostBackground);
    ReleaseDC(host.GetHwnd(), screen);
}

TEST_F(HostWindowTest, HoverFollowsTheCursorAndLeavesWithIt)
{
    MoveTo(Inside(20));
    EXPECT_EQ(host.FindItem(20)->GetState(), kStateHover);
    MoveTo(Inside(21));
    EXPECT_EQ(host.FindItem(20)->GetState(), kStateNormal);
    EXPECT_EQ(host.FindItem(21)->GetState(), kStateHover);
    host.FindItem(23)->Enable(0);
    MoveTo(Inside(23));
    EXPECT_EQ(host.FindItem(21)->GetState(), kStateNormal);
    EXPECT_EQ(host.FindItem(23)->GetState(), kStateDisabled);
    MoveTo(Inside(22));
    Post(WM_MOUSELEAVE, 0, POINT{0, 0});
    EXPECT_EQ(host.FindItem(22)->GetState(), kStateNormal);
    EXPECT_EQ(host.Router().HoverItem(), nullptr);
}

TEST_F(HostWindowTest, HostKeepsTheLinksHandCursorOnEveryMove)
{
    const HCURSOR hand = LoadCursor(nullptr, IDC_HAND);
    const HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    // What the system sends before each move: the host answers it over the link, so the
    // class cursor (the arrow) never comes back in between.
    const LPARAM overClient = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
    const WPARAM self = reinterpret_cast<WPARAM>(host.GetHwnd());
    MoveTo(Inside(40));
    for (int move = 0; move < 3; ++move) {
        SetCursor(arrow);
        EXPECT_EQ(SendMessageA(host.GetHwnd(), WM_SETCURSOR, self, overClient), TRUE);
        EXPECT_EQ(GetCursor(), hand) << move;
        MoveTo(Inside(40, 8 + move, 6));
    }
    // Over a push button the default answer puts the class cursor back.
    MoveTo(Inside(20));
    SetCursor(hand);
    SendMessageA(host.GetHwnd(), WM_SETCURSOR, self, overClient);
    EXPECT_EQ(GetCursor(), arrow);
}

TEST_F(HostWindowTest, ClickReachesTheOwnerOnlyFromTheWidgetPressedAndReleasedUpon)
{
    MoveTo(Inside(20));
    Post(WM_LBUTTONDOWN, MK_LBUTTON, Inside(20));
    EXPECT_EQ(host.FindItem(20)->GetState(), kStatePressed);
    EXPECT_EQ(GetFocus(), host.GetHwnd());
    Post(WM_LBUTTONUP, 0, Inside(20, 8, 8));
    // A completed click leaves the button drawn under the cursor, not pressed.
    EXPECT_EQ(host.FindItem(20)->GetState(), kStateHover);
    auto commands = host.Take();
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, 20u);
    EXPECT_EQ(commands[0].lParam, 0);

    // Pressed on one button, released on another: nothing fires.
    Post(WM_LBUTTONDOWN, MK_LBUTTON, Inside(21));
    Post(WM_LBUTTONUP, 0, Inside(20));
    // Pressed on empty space, released on a button: nothing fires.
    Post(WM_LBUTTONDOWN, MK_LBUTTON, POINT{5, 700});
    Post(WM_LBUTTONUP, 0, Inside(20));
    EXPECT_TRUE(host.Take().empty());

    // A check box reports its new state.
    Post(WM_LBUTTONDOWN, MK_LBUTTON, Inside(70));
    Post(WM_LBUTTONUP, 0, Inside(70));
    commands = host.Take();
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, 70u);
    EXPECT_EQ(commands[0].lParam, 1);

    // A tile reports on the press already.
    Post(WM_LBUTTONDOWN, MK_LBUTTON, Inside(10));
    EXPECT_EQ(host.Take().size(), 1u);
    Post(WM_LBUTTONUP, 0, Inside(10));
    EXPECT_TRUE(host.Take().empty());
}

TEST_F(HostWindowTest, PressOnADisabledWidgetKeepsItsState)
{
    host.FindItem(21)->Enable(0);
    Post(WM_LBUTTONDOWN, MK_LBUTTON, Inside(21));
    Post(WM_LBUTTONUP, 0, Inside(21));
    EXPECT_EQ(host.FindItem(21)->GetState(), kStateDisabled);
    EXPECT_TRUE(host.Take().empty());
}

TEST_F(HostWindowTest, ZeroSizeKeepsTheSurface)
{
    ASSERT_TRUE(host.HasSurface());
    SetWindowPos(host.GetHwnd(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(host.HasSurface());
    SetWindowPos(host.GetHwnd(), nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(host.HasSurface());
    Paint();
}

TEST(HostWindowLifetime, ParentDestroyedFirstLeavesTheObjectSafe)
{
    uikittest::UseTestResources();
    auto parent = std::make_unique<uikittest::CommandSink>(300, 200);
    auto host = std::make_unique<TestHost>();
    ASSERT_TRUE(host->Build(parent->Hwnd(), 300, 200));
    HWND child = host->GetHwnd();
    parent.reset();
    EXPECT_FALSE(IsWindow(child));
    EXPECT_EQ(host->GetHwnd(), nullptr);
    // A window made now may get the old handle value; the dying host must not touch it.
    TestHost other;
    ASSERT_TRUE(other.Build(uikittest::SharedSink().Hwnd(), 100, 100));
    host.reset();
    EXPECT_TRUE(IsWindow(other.GetHwnd()));
}

TEST(HostWindowLifetime, CreatingTwiceKeepsOneWindow)
{
    uikittest::UseTestResources();
    TestHost host;
    host.CreateWin(uikittest::SharedSink().Hwnd(), 1, 0, 0, 300, 200, 0);
    HWND first = host.GetHwnd();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(host.CreateWin(uikittest::SharedSink().Hwnd(), 1, 0, 0, 300, 200, 0), 1);
    EXPECT_EQ(host.GetHwnd(), first);
}
