// tests/uikit/controls/ControlWindowsTest.cpp
#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "tests/support/MessagePump.h"
#include "uikit/controls/CopyLimitedRichEditCtrl.h"
#include "uikit/controls/OwnerDrawButtons.h"
#include "uikit/controls/ScrollWnd.h"
#include "uikit/controls/XPTabCtrl.h"

namespace {

std::vector<UINT> g_seen;
std::vector<WPARAM> g_params;

LRESULT CALLBACK RecordProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_VSCROLL || message == kTabSelectionChangedMessage) {
        g_seen.push_back(message);
        g_params.push_back(wParam);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeRecorder(HWND parent = nullptr)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = RecordProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ControlsRecorder";
    RegisterClassA(&wc);
    return CreateWindowExA(0, "ControlsRecorder", "rec",
                           (parent ? WS_CHILD : WS_POPUP) | WS_VISIBLE, 0, 0, 400, 300, parent,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
}

bool PutClipboardText(HWND owner, const char* text)
{
    if (!OpenClipboard(owner))
        return false;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, strlen(text) + 1);
    bool put = false;
    if (memory) {
        memcpy(GlobalLock(memory), text, strlen(text) + 1);
        GlobalUnlock(memory);
        put = SetClipboardData(CF_TEXT, memory) != nullptr;
        if (!put)
            GlobalFree(memory);
    }
    CloseClipboard();
    return put;
}

std::string ClipboardText(HWND owner)
{
    std::string text = "<unreadable>";
    if (!OpenClipboard(owner))
        return text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* chars = static_cast<const char*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

class PositionRecorder : public CScrollWnd
{
public:
    std::vector<int> vertical, horizontal;

protected:
    void OnVPositionChanged(int p) override { vertical.push_back(p); }
    void OnHPositionChanged(int p) override { horizontal.push_back(p); }
};

TEST(ControlWindows, ScrollWindowStepsAndHooks)
{
    HWND owner = MakeRecorder();
    PositionRecorder scroll;
    ASSERT_TRUE(scroll.Create(CWnd::FromHandle(owner), CRect(0, 0, 200, 150)));
    scroll.SetVScrollRange(500);
    scroll.SetVScrollPage(100);
    scroll.SetHScrollRange(50);
    EXPECT_EQ(scroll.VPageStep(), 100);
    EXPECT_EQ(scroll.HPageStep(), 10);
    scroll.SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
    scroll.SendMessage(WM_VSCROLL, SB_LINEUP, 0);
    scroll.SendMessage(WM_HSCROLL, SB_PAGEDOWN, 0);
    ASSERT_EQ(scroll.vertical.size(), 2u);
    EXPECT_EQ(scroll.vertical[0], 100);
    EXPECT_EQ(scroll.vertical[1], 99);
    ASSERT_EQ(scroll.horizontal.size(), 1u);
    EXPECT_EQ(scroll.horizontal[0], 10);
    scroll.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    ASSERT_EQ(scroll.vertical.size(), 3u);
    EXPECT_EQ(scroll.vertical[2], 99 + WHEEL_DELTA);
    scroll.DestroyWindow();
    DestroyWindow(owner);
}

TEST(ControlWindows, ScrollRelayPostsToTargetOrParent)
{
    HWND parent = MakeRecorder();
    HWND target = MakeRecorder();
    CVscrollwnd relay;
    ASSERT_TRUE(relay.Create(nullptr, "relay", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50),
                             CWnd::FromHandle(parent), 5));
    g_seen.clear();
    g_params.clear();
    relay.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 33), 0);
    DispatchQueuedMessages();
    EXPECT_EQ(relay.LastPosition(), 33);
    ASSERT_EQ(g_seen.size(), 1u);
    relay.SetTarget(target);
    relay.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 44), 0);
    DispatchQueuedMessages();
    EXPECT_EQ(relay.LastPosition(), 33);   // only the parent route records it
    ASSERT_EQ(g_params.size(), 2u);
    EXPECT_EQ(HIWORD(g_params[1]), 44);
    relay.DestroyWindow();
    DestroyWindow(target);
    DestroyWindow(parent);
}

TEST(ControlWindows, RichEditRefusesMouseSelectionAndCopy)
{
    HWND owner = MakeRecorder();
    CCopyLimitedRichEditCtrl edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, CRect(0, 0, 300, 100),
                            CWnd::FromHandle(owner), 9));
    edit.SetWindowText("secret text that stays put");
    edit.SetSel(0, 0);
    edit.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 8));
    long start = -1, end = -1;
    edit.GetSel(start, end);
    EXPECT_EQ(start, end);   // a double click selects no word
    // Something else is on the clipboard; neither copy nor cut may replace it.
    ASSERT_TRUE(PutClipboardText(owner, "before"));
    ASSERT_EQ(ClipboardText(owner), "before");
    edit.SetSel(0, 6);
    edit.SendMessage(WM_COPY, 0, 0);
    EXPECT_EQ(ClipboardText(owner), "before");
    edit.SendMessage(WM_CUT, 0, 0);
    EXPECT_EQ(ClipboardText(owner), "before");
    char text[64] = {};
    edit.GetWindowText(text, sizeof text);
    EXPECT_STREQ(text, "secret text that stays put");
    edit.DestroyWindow();
    DestroyWindow(owner);
}

// A framework parent, so that the tab's notifications are reflected back to it.
class TabParent : public CWnd
{
public:
    LRESULT OnTabChanged(WPARAM wParam, LPARAM)
    {
        g_seen.push_back(kTabSelectionChangedMessage);
        g_params.push_back(wParam);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(TabParent, CWnd)
    ON_MESSAGE(kTabSelectionChangedMessage, &TabParent::OnTabChanged)
END_MESSAGE_MAP()

TEST(ControlWindows, TabChangeTellsTheParent)
{
    TabParent parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "tabs", WS_POPUP | WS_VISIBLE, CRect(0, 0, 320, 80),
                                nullptr, 0));
    CXPTabCtrl tabs;
    ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 40), &parent, 11));
    tabs.InsertItem(0, "First");
    tabs.InsertItem(1, "Second");
    tabs.UpdateWindow();
    g_seen.clear();
    g_params.clear();
    // What the control sends for a user's click on the second tab.
    NMHDR header = {tabs.m_hWnd, 11, static_cast<UINT>(TCN_SELCHANGING)};
    parent.SendMessage(WM_NOTIFY, 11, reinterpret_cast<LPARAM>(&header));
    tabs.SendMessage(TCM_SETCURSEL, 1, 0);
    header.code = static_cast<UINT>(TCN_SELCHANGE);
    parent.SendMessage(WM_NOTIFY, 11, reinterpret_cast<LPARAM>(&header));
    ASSERT_EQ(g_seen.size(), 1u);
    EXPECT_EQ(g_params.back(), 1u);
    tabs.UpdateWindow();
    tabs.DestroyWindow();
    parent.DestroyWindow();
}

TEST(ControlWindows, CheckBoxButtonBecomesOwnerDrawnAndToggles)
{
    TabParent parent;   // a framework parent reflects BN_CLICKED to the button
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "buttons", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 80),
                                nullptr, 0));
    HWND raw = CreateWindowExA(0, "BUTTON", "Check", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 10,
                               10, 120, 30, parent.m_hWnd, reinterpret_cast<HMENU>(21),
                               GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(raw, nullptr);
    CMsBtn button;
    ASSERT_TRUE(button.SubclassWindow(raw));
    EXPECT_TRUE(button.IsCheckBox());
    EXPECT_EQ(button.GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
    EXPECT_FALSE(button.IsChecked());
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(21, BN_CLICKED), reinterpret_cast<LPARAM>(raw));
    EXPECT_TRUE(button.IsChecked());
    // While checked, hover and leave leave the look alone.
    button.SendMessage(WM_MOUSEHOVER, 0, 0);
    EXPECT_FALSE(button.IsOver());
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(21, BN_CLICKED), reinterpret_cast<LPARAM>(raw));
    EXPECT_FALSE(button.IsChecked());
    button.SendMessage(WM_MOUSEHOVER, 0, 0);
    EXPECT_TRUE(button.IsOver());
    button.UpdateWindow();
    button.DestroyWindow();
    parent.DestroyWindow();
}

}  // namespace
