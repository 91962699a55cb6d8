// tests/uikit/scroll/SkinScrollTest.cpp
// A list box (and a tree) wrapped in skinned scroll bars: scrolled by arrow, page and drag
// through posted mouse messages, shown and hidden, unwrapped, and destroyed while wrapped.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include "tests/support/MessagePump.h"
#include "tests/support/WinePath.h"
#include "tests/uikit/draw/PngFile.h"
#include "uikit/draw/GDIPlus.h"
#include "uikit/scroll/SkinScroll.h"

namespace {

const COLORREF kTrackColour = RGB(0x1A, 0x1F, 0x2A); // the skin's track cell

void Pump(DWORD milliseconds)
{
    const DWORD end = GetTickCount() + milliseconds;
    do {
        DispatchQueuedMessages();
        AfxDeleteTempObjects();
        Sleep(5);
    } while ((LONG)(GetTickCount() - end) < 0);
}

// Pumps messages until the condition holds or the time is up; under a loaded machine the
// timers run late, so tests wait for what they expect instead of a fixed time.
template <typename Condition>
bool WaitFor(Condition condition, DWORD milliseconds = 3000)
{
    const DWORD end = GetTickCount() + milliseconds;
    while (!condition()) {
        if ((LONG)(GetTickCount() - end) >= 0)
            return false;
        Pump(10);
    }
    return true;
}

// Records the scroll requests that reach the control.
class CountingList : public CWnd
{
public:
    std::vector<std::pair<UINT, int>> scrolls;
    int Count(UINT code) const
    {
        return (int)std::count_if(scrolls.begin(), scrolls.end(),
                                  [code](const std::pair<UINT, int>& s) { return s.first == code; });
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_VSCROLL)
            scrolls.push_back({LOWORD(wParam), HIWORD(wParam)});
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// A frame that reports its own deletion.
class WatchedFrame : public CSkinScrollWnd
{
public:
    explicit WatchedFrame(bool* deleted) : m_deleted(deleted) {}
    ~WatchedFrame() override { *m_deleted = true; }

private:
    bool* m_deleted;
};

LRESULT CALLBACK HostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CTLCOLORLISTBOX) {
        // Dark rows, as the program's result trees draw them.
        static HBRUSH rows = CreateSolidBrush(RGB(0x1C, 0x21, 0x2B));
        SetTextColor((HDC)wParam, RGB(0xAF, 0xBA, 0xDB));
        SetBkColor((HDC)wParam, RGB(0x1C, 0x21, 0x2B));
        return (LRESULT)rows;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void RegisterHostClass()
{
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = CreateSolidBrush(RGB(0x17, 0x1A, 0x1C));
    wc.lpszClassName = "SkinScrollTestHost";
    registered = RegisterClassA(&wc) != 0;
}

// One top-level window for the whole suite (a top-level window takes Wine two seconds to
// go away without a window manager); each test gets a plain Win32 page in it, as the widget
// host window that carries the result trees is.
HWND TopWindow()
{
    static HWND top = nullptr;
    if (!top || !IsWindow(top)) {
        RegisterHostClass();
        top = CreateWindowExA(0, "SkinScrollTestHost", "skin scroll", WS_POPUP | WS_VISIBLE,
                              40, 40, 260, 220, nullptr, nullptr, GetModuleHandleA(nullptr),
                              nullptr);
    }
    return top;
}

HWND CreateHost()
{
    return CreateWindowExA(0, "SkinScrollTestHost", "page", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                           0, 0, 260, 220, TopWindow(), nullptr, GetModuleHandleA(nullptr), nullptr);
}

HBITMAP LoadSkin()
{
    const std::string path = ToWinePath(SKIN_BITMAP_DIR "/1008.bmp");
    return (HBITMAP)LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                               LR_LOADFROMFILE | LR_CREATEDIBSECTION);
}

std::string WindowText(HWND hwnd)
{
    char text[64] = {};
    GetWindowTextA(hwnd, text, sizeof(text));
    return text;
}

class SkinScroll : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_skin = LoadSkin();
        ASSERT_NE(m_skin, nullptr) << "run the skin_art target first";
        m_host = CreateHost();
        ASSERT_NE(m_host, nullptr);
        ASSERT_TRUE(m_list.CreateEx(WS_EX_CLIENTEDGE, "LISTBOX", nullptr,
                                    WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_BORDER |
                                        LBS_NOINTEGRALHEIGHT | LBS_NOTIFY,
                                    10, 10, 220, 180, m_host, (HMENU)1000));
        m_list.SetRedraw(FALSE);
        for (int i = 0; i < 100; ++i) {
            char text[32];
            wsprintfA(text, "Duplicate file %d.jpg", i);
            m_list.SendMessage(LB_ADDSTRING, 0, (LPARAM)text);
        }
        m_list.SetRedraw(TRUE);
        m_originalProc = GetWindowLongPtrA(m_list.m_hWnd, GWLP_WNDPROC);
    }
    void TearDown() override
    {
        if (m_host && IsWindow(m_host))
            DestroyWindow(m_host);
        Pump(20);
        if (m_skin)
            DeleteObject(m_skin);
    }

    CSkinScrollWnd* Skin()
    {
        CSkinScrollWnd* frame = SkinWndScroll(&m_list, m_skin);
        Pump(50);
        return frame;
    }
    int TopIndex() { return (int)m_list.SendMessage(LB_GETTOPINDEX); }
    int Visible()
    {
        CRect client;
        m_list.GetClientRect(&client);
        return client.Height() / (int)m_list.SendMessage(LB_GETITEMHEIGHT);
    }
    int LastTop() { return 100 - Visible(); }
    void Press(CWnd& bar, CPoint p) { bar.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y)); }
    void Move(CWnd& bar, CPoint p) { bar.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x, p.y)); }
    void Release(CWnd& bar, CPoint p) { bar.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y)); }
    void Click(CWnd& bar, CPoint p)
    {
        Press(bar, p);
        Pump(30);
        Release(bar, p);
        Pump(30);
    }
    static CPoint Centre(const CRect& r) { return CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2); }
    // Keeps the bar in step with the control at once instead of on the next poll.
    void Sync()
    {
        m_list.Invalidate(TRUE);
        m_list.UpdateWindow();
        Pump(20);
    }

    CGDIPlus m_gdiplus;
    HBITMAP m_skin = nullptr;
    HWND m_host = nullptr;
    CountingList m_list;
    LONG_PTR m_originalProc = 0;
};

TEST_F(SkinScroll, WrapsTheControlInAFrameWithSkinBars)
{
    CRect before;
    m_list.GetWindowRect(&before);
    CSkinScrollWnd* frame = Skin();
    ASSERT_NE(frame, nullptr);

    HWND limit = ::GetParent(m_list.m_hWnd);
    EXPECT_EQ(WindowText(limit), "LIMIT");
    EXPECT_EQ(::GetParent(limit), frame->m_hWnd);
    EXPECT_EQ(::GetParent(frame->m_hWnd), m_host);
    EXPECT_EQ(WindowText(frame->m_hWnd), "SkinScrollBarFrame");
    EXPECT_EQ(frame->GetDlgCtrlID(), 1000);
    CRect framed;
    frame->GetWindowRect(&framed);
    EXPECT_TRUE(framed == before) << "the frame takes the control's place";
    // The border and the client edge moved to the frame.
    EXPECT_TRUE(frame->GetStyle() & WS_BORDER);
    EXPECT_FALSE(m_list.GetStyle() & WS_BORDER);
    EXPECT_FALSE(m_list.GetExStyle() & WS_EX_CLIENTEDGE);

    CSkinScrollBar& vbar = frame->VerticalBar();
    EXPECT_TRUE(vbar.IsWindowVisible());
    EXPECT_FALSE(frame->HorizontalBar().IsWindowVisible()) << "the list has no WS_HSCROLL";
    CRect bar;
    vbar.GetClientRect(&bar);
    EXPECT_EQ(bar.Width(), 16) << "a 144 px skin gives 16 px bars";
    Sync();
    EXPECT_EQ(vbar.GetSkinInfo().nMax, 99);
    EXPECT_EQ((int)vbar.GetSkinInfo().nPage, Visible());

    EXPECT_EQ(SkinWndScroll(&m_list, m_skin), frame) << "skinning again keeps the one frame";
}

TEST_F(SkinScroll, ArrowsScrollByLineAndRepeatWhileHeld)
{
    CSkinScrollWnd* frame = Skin();
    ASSERT_NE(frame, nullptr);
    CSkinScrollBar& vbar = frame->VerticalBar();
    Sync();
    const CPoint down = Centre(vbar.GetPartRect(kScrollPartLineDown));
    const CPoint up = Centre(vbar.GetPartRect(kScrollPartLineUp));

    Click(vbar, down);
    EXPECT_EQ(TopIndex(), 1);
    EXPECT_EQ(vbar.GetSkinInfo().nPos, 1) << "the bar follows the control";
    Click(vbar, up);
    EXPECT_EQ(TopIndex(), 0);

    // One at once, then after 500 ms one every 100 ms while the button stays down.
    const DWORD pressed = GetTickCount();
    Press(vbar, down);
    EXPECT_TRUE(WaitFor([&] { return TopIndex() >= 4; }));
    EXPECT_GE(GetTickCount() - pressed, 500u) << "the repeat starts after the first pause";
    Release(vbar, down);
    Pump(30);
    const int released = TopIndex();
    Pump(300);
    EXPECT_EQ(TopIndex(), released) << "release stops the repeat";
}

TEST_F(SkinScroll, HeldArrowStopsAtTheLastFullPage)
{
    CSkinScrollWnd* frame = Skin();
    ASSERT_NE(frame, nullptr);
    CSkinScrollBar& vbar = frame->VerticalBar();
    m_list.SendMessage(LB_SETTOPINDEX, LastTop());
    Sync();
    ASSERT_EQ(vbar.GetSkinInfo().nPos, LastTop());
    m_list.scrolls.clear();

    const CPoint down = Centre(vbar.GetPartRect(kScrollPartLineDown));
    Press(vbar, down);
    Pump(1200);
    Release(vbar, down);
    Pump(30);
    EXPECT_EQ(m_list.Count(SB_LINEDOWN), 1) << "no repeat past nMax - nPage + 1";
    EXPECT_EQ(TopIndex(), LastTop());
}

TEST_F(SkinScroll, TrackClickScrollsOnePage)
{
    CSkinScrollWnd* frame = Skin();
    ASSERT_NE(frame, nullptr);
    CSkinScrollBar& vbar = frame->VerticalBar();
    Sync();
    Click(vbar, Centre(vbar.GetPartRect(kScrollPartPageDown)));
    EXPECT_EQ(TopIndex(), Visible());
    Click(vbar, Centre(vbar.GetPartRect(kScrollPartPageUp)));
    EXPECT_EQ(TopIndex(), 0);
}

TEST_F(SkinScroll, DraggingTheThumbTracksAndStopsAtTheEnd)
{
    CSkinScrollWnd* frame = Skin();
    ASSERT_NE(frame, nullptr);
    CSkinScrollBar& vbar = frame->VerticalBar();
    Sync();
    const CPoint grip = Centre(vbar.GetPartRect(kScrollPartThumb));
    CRect client;
    vbar.GetClientRect(&client);
    const ScrollBarGeometry geometry(true, 16, client.Height(), vbar.GetSkinInfo());

    Press(vbar, grip);
    Pump(20);
    EXPECT_TRUE(vbar.IsDragging());
    Move(vbar, CPoint(grip.x, grip.y + 40));
    Pump(20);
    const int expected = geometry.DragPosition(0, 40);
    ASSERT_GT(expected, 0);
    ASSERT_FALSE(m_list.scrolls.empty());
    EXPECT_EQ(m_list.scrolls.back(), std::make_pair((UINT)SB_THUMBTRACK, expected));
    EXPECT_EQ(vbar.GetSkinInfo().nTrackPos, expected);
    Release(vbar, CPoint(grip.x, grip.y + 40));
    Pump(20);
    EXPECT_FALSE(vbar.IsDragging());
    EXPECT_EQ(m_list.scrolls.back(), std::make_pair((UINT)SB_THUMBPOSITION, expected));
    EXPECT_EQ(TopIndex(), expected);
    EXPECT_EQ(vbar.GetSkinInfo().nPos, expected);
    EXPECT_EQ(vbar.GetSkinInfo().nTrackPos, -1);

    // Far past the end: the position stops at the last full page.
    m_list.scrolls.clear();
    const CPoint grip2 = Centre(vbar.GetPartRect(kScrollPartThumb));
    Press(vbar, grip2);
    Move(vbar, CPoint(grip2.x, grip2.y + 2000));
    Release(vbar, CPoint(grip2.x, grip2.y + 2000));
    Pump(40);
    ASSERT_FALSE(m_list.scrolls.empty());
    for (const auto& s : m_list.scrolls)
        EXPECT_LE(s.second, LastTop());
    EXPECT_EQ(TopIndex(), LastTop());
    EXPECT_EQ(vbar.GetSkinInfo().nPos, LastTop());
}

TEST_F(SkinScroll, LosingTheCaptureEndsDragAndRepeat)
{
    CSkinScrollWnd* frame = Skin();
    ASSERT_NE(frame, nullptr);
    CSkinScrollBar& vbar = frame->VerticalBar();
    Sync();

    const CPoint grip = Centre(vbar.GetPartRect(kScrollPartThumb));
    Press(vbar, grip);
    Move(vbar, CPoint(grip.x, grip.y + 20));
    Pump(30);
    ASSERT_TRUE(vbar.IsDragging());
    SetCapture(m_host); // someone else takes the mouse
    Pump(30);
    EXPECT_FALSE(vbar.IsDragging());
    EXPECT_EQ(vbar.GetSkinInfo().nTrackPos, -1);
    // The drag ends where it was, as on a release.
    const int dragged = TopIndex();
    EXPECT_GT(dragged, 0);
    EXPECT_EQ(vbar.GetSkinInfo().nPos, dragged);
    ReleaseCapture();
    Move(vbar, CPoint(grip.x, grip.y + 80));
    Release(vbar, CPoint(grip.x, grip.y + 80));
    Pump(30);
    EXPECT_EQ(TopIndex(), dragged) << "moves after the lost capture no longer drag";

    m_list.scrolls.clear();
    Press(vbar, Centre(vbar.GetPartRect(kScrollPartLineDown)));
    Pump(30);
    vbar.SendMessage(WM_CANCELMODE);
    Pump(900);
    EXPECT_EQ(m_list.Count(SB_LINEDOWN), 1) << "the repeat timers stopped";
    EXPECT_NE(::GetCapture(), vbar.m_hWnd);
}

TEST_F(SkinScroll, DoubleClickDoesNothingMore)
{
    CSkinScrollWnd* frame = Skin();
    ASSERT_NE(frame, nullptr);
    CSkinScrollBar& vbar = frame->VerticalBar();
    Sync();
    const CPoint down = Centre(vbar.GetPartRect(kScrollPartLineDown));
    vbar.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(down.x, down.y));
    Pump(30);
    EXPECT_EQ(TopIndex(), 0);
}

TEST_F(SkinScroll, ShowingTheControlShowsOnlyItsOwnBars)
{
    CSkinScrollWnd* frame = Skin();
    ASSERT_NE(frame, nullptr);
    m_list.ShowWindow(SW_HIDE);
    Pump(20);
    EXPECT_FALSE(frame->IsWindowVisible());
    m_list.ShowWindow(SW_SHOW);
    Pump(20);
    EXPECT_TRUE(frame->IsWindowVisible());
    EXPECT_TRUE(frame->VerticalBar().IsWindowVisible());
    EXPECT_FALSE(frame->HorizontalBar().IsWindowVisible());
}

TEST_F(SkinScroll, UnskinningGivesTheControlBack)
{
    CSkinScrollWnd* frame = Skin();
    ASSERT_NE(frame, nullptr);
    HWND frameWnd = frame->m_hWnd;
    CRect framed;
    frame->GetWindowRect(&framed);

    EXPECT_TRUE(UnskinWndScroll(&m_list));
    Pump(20);
    EXPECT_FALSE(IsWindow(frameWnd));
    EXPECT_EQ(::GetParent(m_list.m_hWnd), m_host);
    EXPECT_EQ(GetWindowLongPtrA(m_list.m_hWnd, GWLP_WNDPROC), m_originalProc);
    EXPECT_EQ(GetWindowLongPtrA(m_list.m_hWnd, GWLP_USERDATA), 0);
    CRect now;
    m_list.GetWindowRect(&now);
    EXPECT_TRUE(now == framed);
    EXPECT_EQ(CSkinScrollWnd::FromControl(m_list.m_hWnd), nullptr);
    EXPECT_TRUE(UnskinWndScroll(&m_list)) << "a control without a frame is left alone";

    // Still a working list box, and it can be skinned again.
    m_list.SendMessage(LB_SETTOPINDEX, 5);
    EXPECT_EQ(TopIndex(), 5);
    EXPECT_NE(Skin(), nullptr);
}

TEST_F(SkinScroll, ParentDestroyedWhileWrappedFreesTheFrame)
{
    bool deleted = false;
    WatchedFrame* frame = new WatchedFrame(&deleted);
    ASSERT_TRUE(frame->SkinWindow(&m_list, m_skin, nullptr));
    Pump(30);
    DestroyWindow(m_host);
    m_host = nullptr;
    Pump(30);
    EXPECT_TRUE(deleted);
    EXPECT_FALSE(m_list.IsWindow());
}

TEST_F(SkinScroll, ControlDestroyedWhileWrappedTakesItsFrameAlong)
{
    bool deleted = false;
    WatchedFrame* frame = new WatchedFrame(&deleted);
    ASSERT_TRUE(frame->SkinWindow(&m_list, m_skin, nullptr));
    HWND frameWnd = frame->m_hWnd;
    Pump(30);
    m_list.DestroyWindow();
    Pump(30);
    EXPECT_TRUE(deleted);
    EXPECT_FALSE(IsWindow(frameWnd));
    EXPECT_TRUE(IsWindow(m_host));
}

TEST_F(SkinScroll, BarsFollowTheScrollBarsTheControlShows)
{
    // An empty list shows no scroll bar, so neither does its frame.
    m_list.SendMessage(LB_RESETCONTENT);
    m_list.SendMessage(LB_SETHORIZONTALEXTENT, 0);
    CSkinScrollWnd* frame = Skin();
    ASSERT_NE(frame, nullptr);
    EXPECT_FALSE(frame->VerticalBar().IsWindowVisible());
    EXPECT_FALSE(frame->HorizontalBar().IsWindowVisible());

    for (int i = 0; i < 40; ++i)
        m_list.SendMessage(LB_ADDSTRING, 0, (LPARAM)"a row wider than the list box is, for the side bar");
    CSkinScrollBar& vbar = frame->VerticalBar();
    ASSERT_TRUE(WaitFor([&] { return vbar.GetSkinInfo().nMax == 39; }));
    ASSERT_TRUE(vbar.IsWindowVisible()) << "rows that no longer fit bring the bar";

    // The bar keeps the list box inside the frame clear of itself.
    CRect bar, limit;
    vbar.GetWindowRect(&bar);
    ::GetWindowRect(::GetParent(m_list.m_hWnd), &limit);
    EXPECT_LE(limit.right, bar.left);
}

TEST_F(SkinScroll, HorizontalBarScrollsSideways)
{
    m_list.DestroyWindow();
    ASSERT_TRUE(m_list.CreateEx(0, "LISTBOX", nullptr,
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL |
                                    LBS_NOINTEGRALHEIGHT,
                                10, 10, 220, 180, m_host, (HMENU)1000));
    for (int i = 0; i < 60; ++i)
        m_list.SendMessage(LB_ADDSTRING, 0, (LPARAM)"a row wider than the list box is, for the side bar");
    m_list.SendMessage(LB_SETHORIZONTALEXTENT, 600);
    CSkinScrollWnd* frame = Skin();
    ASSERT_NE(frame, nullptr);
    CSkinScrollBar& hbar = frame->HorizontalBar();
    ASSERT_TRUE(WaitFor([&] { return hbar.GetSkinInfo().nMax > 0; }));
    ASSERT_TRUE(hbar.IsWindowVisible());
    ASSERT_TRUE(frame->VerticalBar().IsWindowVisible());
    CRect client;
    hbar.GetClientRect(&client);
    EXPECT_EQ(client.Height(), 16);
    Click(hbar, Centre(hbar.GetPartRect(kScrollPartPageDown)));
    SCROLLINFO si = {sizeof(si), SIF_POS};
    ::GetScrollInfo(m_list.m_hWnd, SB_HORZ, &si);
    EXPECT_GT(si.nPos, 0);
    EXPECT_EQ(hbar.GetSkinInfo().nPos, si.nPos);
}

TEST_F(SkinScroll, ADisabledBarKeepsItsSkin)
{
    CSkinScrollWnd* frame = Skin();
    ASSERT_NE(frame, nullptr);
    CSkinScrollBar& vbar = frame->VerticalBar();
    Sync();
    vbar.EnableWindow(FALSE);
    Pump(50);
    const CRect track = vbar.GetPartRect(kScrollPartPageDown);
    HDC dc = ::GetDC(vbar.m_hWnd);
    EXPECT_EQ(GetPixel(dc, track.left + 2, track.bottom - 2), kTrackColour);
    ::ReleaseDC(vbar.m_hWnd, dc);
}

class RectSource : public iCaller
{
public:
    void GetRect(RECT& rect) override { SetRect(&rect, 5, 5, 125, 105); }
};

TEST_F(SkinScroll, TheRectangleSourcePlacesTheFrame)
{
    RectSource source;
    CSkinScrollWnd* frame = SkinWndScroll(&m_list, m_skin, &source);
    ASSERT_NE(frame, nullptr);
    CRect r;
    frame->GetWindowRect(&r);
    ::MapWindowPoints(nullptr, m_host, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_TRUE(r == CRect(5, 5, 125, 105));
}

TEST_F(SkinScroll, TreeControlScrollsThroughItsSkinBar)
{
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_NOHSCROLL,
                            CRect(10, 10, 230, 190), CWnd::FromHandle(m_host), 1001));
    m_list.ShowWindow(SW_HIDE);
    for (int i = 0; i < 60; ++i) {
        char text[32];
        wsprintfA(text, "Group %d", i);
        tree.InsertItem(text);
    }
    CSkinScrollWnd* frame = SkinWndScroll(&tree, m_skin);
    ASSERT_NE(frame, nullptr);
    CSkinScrollBar& vbar = frame->VerticalBar();
    // The frame's poll mirrors the tree's scroll state.
    ASSERT_TRUE(WaitFor([&] { return vbar.GetSkinInfo().nMax == 59; }));
    ASSERT_TRUE(vbar.IsWindowVisible());
    HTREEITEM first = (HTREEITEM)tree.SendMessage(TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE);
    Click(vbar, Centre(vbar.GetPartRect(kScrollPartLineDown)));
    HTREEITEM now = (HTREEITEM)tree.SendMessage(TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE);
    EXPECT_EQ(now, (HTREEITEM)tree.SendMessage(TVM_GETNEXTITEM, TVGN_NEXT, (LPARAM)first));
    UnskinWndScroll(&tree);
    tree.DestroyWindow();
}

TEST_F(SkinScroll, TheSystemNeverDrawsTheBarAndAPictureIsSaved)
{
    CSkinScrollWnd* frame = Skin();
    ASSERT_NE(frame, nullptr);
    m_list.SendMessage(LB_SETTOPINDEX, 30);
    Sync();
    RedrawWindow(TopWindow(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump(100);

    CRect window;
    GetWindowRect(TopWindow(), &window);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP shot = CreateCompatibleBitmap(screen, window.Width(), window.Height());
    HGDIOBJ old = SelectObject(memory, shot);
    BitBlt(memory, 0, 0, window.Width(), window.Height(), screen, window.left, window.top, SRCCOPY);

    // A pixel of the track beside the thumb has the skin's track colour.
    CSkinScrollBar& vbar = frame->VerticalBar();
    CRect track = vbar.GetPartRect(kScrollPartPageDown);
    CPoint probe(track.left + 2, track.bottom - 2);
    vbar.ClientToScreen(&probe);
    EXPECT_EQ(GetPixel(memory, probe.x - window.left, probe.y - window.top), kTrackColour);

    SelectObject(memory, old);
    const std::string path = BuildFolderFile("uikit_scroll_wrapped.png");
    EXPECT_TRUE(SavePng(shot, path)) << path;
    DeleteObject(shot);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

} // namespace
