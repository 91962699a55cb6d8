// tests/mfc/MessageMapTests.cpp
#include "TestPump.h"
#include <gtest/gtest.h>

namespace {

UINT s_registered = RegisterWindowMessageA("MfcTestRegistered");

class Probe : public CWnd
{
public:
    Log log;
    LPARAM lastCommandLParam = -1;

protected:
    int OnCreate(LPCREATESTRUCT cs)
    {
        log.push_back("create");
        return CWnd::OnCreate(cs);
    }
    void OnSize(UINT, int cx, int cy) { log.push_back("size " + std::to_string(cx) + "x" + std::to_string(cy)); }
    void OnCommand101()
    {
        log.push_back("command 101");
        lastCommandLParam = GetCurrentMessage()->lParam;
    }
    void OnRange(UINT id) { log.push_back("range " + std::to_string(id)); }
    LRESULT OnApp(WPARAM w, LPARAM l)
    {
        log.push_back("app " + std::to_string(w) + " " + std::to_string(l));
        return 77;
    }
    LRESULT OnRegistered(WPARAM, LPARAM) { log.push_back("registered"); return 5; }
    void OnClick300(NMHDR*, LRESULT* result)
    {
        log.push_back("notify 300");
        *result = 9;
    }
    void OnLButtonDown(UINT flags, CPoint p) { log.push_back("down " + std::to_string(p.x) + "," + std::to_string(p.y)); }
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar)
    {
        log.push_back("vscroll " + std::to_string(code) + " " + std::to_string(pos) + (bar ? " bar" : " nobar"));
    }

    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_APP + 5)
            log.push_back("default");
        return CWnd::DefWindowProc(message, wParam, lParam);
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Probe, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_VSCROLL()
    ON_COMMAND(101, &Probe::OnCommand101)
    ON_COMMAND_RANGE(200, 210, &Probe::OnRange)
    ON_MESSAGE(WM_APP + 1, &Probe::OnApp)
    ON_REGISTERED_MESSAGE(s_registered, &Probe::OnRegistered)
    ON_NOTIFY(NM_CLICK, 300, &Probe::OnClick300)
END_MESSAGE_MAP()

// A derived map comes first; the base map still answers what it does not name.
class DerivedProbe : public Probe
{
protected:
    void OnCommand101Again() { log.push_back("derived 101"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedProbe, Probe)
    ON_COMMAND(101, &DerivedProbe::OnCommand101Again)
END_MESSAGE_MAP()

// A child that takes back what its parent leaves.
class ReflectingChild : public CWnd
{
public:
    Log* log = nullptr;
    HBRUSH brush = (HBRUSH)GetStockObject(GRAY_BRUSH);

protected:
    void OnClicked() { log->push_back("child clicked"); }
    void OnNmClick(NMHDR* header, LRESULT* result)
    {
        log->push_back("child notify " + std::to_string(header->idFrom));
        *result = 3;
    }
    HBRUSH CtlColor(CDC*, UINT kind)
    {
        log->push_back("child ctlcolor " + std::to_string(kind));
        return brush;
    }
    void VScroll(UINT code, UINT) { log->push_back("child vscroll " + std::to_string(code)); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ReflectingChild, CWnd)
    ON_CONTROL_REFLECT(BN_CLICKED, &ReflectingChild::OnClicked)
    ON_NOTIFY_REFLECT(NM_CLICK, &ReflectingChild::OnNmClick)
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_VSCROLL_REFLECT()
END_MESSAGE_MAP()

// A parent that colours its children itself: its handler wins over reflection.
class ColouringParent : public CWnd
{
public:
    UINT kind = 99;
    CWnd* from = nullptr;
    HBRUSH brush = (HBRUSH)GetStockObject(BLACK_BRUSH);

protected:
    HBRUSH OnCtlColor(CDC*, CWnd* wnd, UINT ctlColor)
    {
        kind = ctlColor;
        from = wnd;
        return brush;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ColouringParent, CWnd)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

class OwnerDrawnButton : public CButton
{
public:
    int drawn = 0;
    void DrawItem(LPDRAWITEMSTRUCT item) override { drawn = item->CtlID; }
};

} // namespace

TEST(MessageMap, DispatchesTypedHandlers)
{
    Probe wnd;
    ASSERT_TRUE(CreateTopLevel(wnd));
    EXPECT_EQ("create", wnd.log.front()); // attached before WM_CREATE
    wnd.log.clear();

    wnd.MoveWindow(0, 0, 120, 80);
    EXPECT_EQ(77, wnd.SendMessage(WM_APP + 1, 4, 5));
    EXPECT_EQ(5, wnd.SendMessage(s_registered));
    wnd.SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(7, 9));
    wnd.SendMessage(WM_COMMAND, 205);
    wnd.SendMessage(WM_COMMAND, 211); // outside the range: nobody
    wnd.SendMessage(WM_APP + 5);
    EXPECT_EQ((Log{"size 120x80", "app 4 5", "registered", "down 7,9", "range 205", "default"}), wnd.log);

    NMHDR header = {nullptr, 300, (UINT)NM_CLICK};
    EXPECT_EQ(9, wnd.SendMessage(WM_NOTIFY, 300, (LPARAM)&header));
    wnd.DestroyWindow();
}

TEST(MessageMap, DerivedEntriesComeFirst)
{
    DerivedProbe wnd;
    ASSERT_TRUE(CreateTopLevel(wnd));
    wnd.log.clear();
    wnd.SendMessage(WM_COMMAND, 101);
    wnd.SendMessage(WM_COMMAND, 202);
    EXPECT_EQ((Log{"derived 101", "range 202"}), wnd.log);
}

// Widgets post WM_COMMAND (id, check state or list choice): lParam is a value, not a window.
TEST(MessageMap, CommandLParamIsAValueUnlessItIsALiveChild)
{
    Probe wnd;
    ASSERT_TRUE(CreateTopLevel(wnd));
    for (LPARAM value : {(LPARAM)0, (LPARAM)1, (LPARAM)205, (LPARAM)0x10000, (LPARAM)-1}) {
        wnd.log.clear();
        wnd.SendMessage(WM_COMMAND, 101, value);
        EXPECT_EQ((Log{"command 101"}), wnd.log) << value;
        EXPECT_EQ(value, wnd.lastCommandLParam);
    }
    // Posted the way the widgets do it, through a message loop.
    wnd.log.clear();
    wnd.PostMessage(WM_COMMAND, 101, 1);
    Pump(30);
    EXPECT_EQ((Log{"command 101"}), wnd.log);
}

TEST(MessageMap, UnhandledControlMessagesReflectToTheSender)
{
    Probe parent;
    ASSERT_TRUE(CreateTopLevel(parent));
    ReflectingChild child;
    child.log = &parent.log;
    ASSERT_TRUE(CreateChild(child, parent, 400));
    parent.log.clear();

    // BN_CLICKED from a child whose id the parent does not handle.
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(400, BN_CLICKED), (LPARAM)child.m_hWnd);
    // WM_NOTIFY from the child: the parent's ON_NOTIFY is for id 300 only.
    NMHDR header = {child.m_hWnd, 400, (UINT)NM_CLICK};
    EXPECT_EQ(3, parent.SendMessage(WM_NOTIFY, 400, (LPARAM)&header));
    HDC dc = ::GetDC(child.m_hWnd);
    EXPECT_EQ((LRESULT)child.brush, parent.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)dc, (LPARAM)child.m_hWnd));
    ::ReleaseDC(child.m_hWnd, dc);
    EXPECT_EQ((Log{"child clicked", "child notify 400", "child ctlcolor " + std::to_string(CTLCOLOR_STATIC)}),
              parent.log);

    // A parent handler wins: WM_VSCROLL goes to the parent's OnVScroll with the child object.
    parent.log.clear();
    parent.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), (LPARAM)child.m_hWnd);
    EXPECT_EQ((Log{"vscroll 1 0 bar"}), parent.log);

    // The parent handles id 101 itself, so the child's reflection stays out.
    parent.log.clear();
    ::SetWindowLongPtrA(child.m_hWnd, GWLP_ID, 101);
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(101, BN_CLICKED), (LPARAM)child.m_hWnd);
    EXPECT_EQ((Log{"command 101"}), parent.log);
}

TEST(MessageMap, NoReflectionToAWindowThatIsNotAChild)
{
    Probe a, b;
    ASSERT_TRUE(CreateTopLevel(a));
    ASSERT_TRUE(CreateTopLevel(b));
    ReflectingChild stranger;
    Log strangerLog;
    stranger.log = &strangerLog;
    ASSERT_TRUE(CreateChild(stranger, b, 400));
    a.SendMessage(WM_COMMAND, MAKEWPARAM(400, BN_CLICKED), (LPARAM)stranger.m_hWnd);
    NMHDR header = {stranger.m_hWnd, 400, (UINT)NM_CLICK};
    a.SendMessage(WM_NOTIFY, 400, (LPARAM)&header);
    EXPECT_TRUE(strangerLog.empty());
}

TEST(MessageMap, OwnerDrawReachesTheButton)
{
    Probe parent;
    ASSERT_TRUE(CreateTopLevel(parent));
    OwnerDrawnButton button;
    ASSERT_TRUE(button.Create("b", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 40, 20), &parent, 55));
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_BUTTON;
    item.CtlID = 55;
    item.hwndItem = button.m_hWnd;
    EXPECT_EQ(TRUE, parent.SendMessage(WM_DRAWITEM, 55, (LPARAM)&item));
    EXPECT_EQ(55, button.drawn);
}

TEST(MessageMap, OneCtlColorHandlerServesEveryKind)
{
    ColouringParent parent;
    ASSERT_TRUE(CreateTopLevel(parent));
    ReflectingChild child;
    Log log;
    child.log = &log;
    ASSERT_TRUE(CreateChild(child, parent, 400));
    HDC dc = ::GetDC(child.m_hWnd);
    EXPECT_EQ((LRESULT)parent.brush, parent.SendMessage(WM_CTLCOLOREDIT, (WPARAM)dc, (LPARAM)child.m_hWnd));
    EXPECT_EQ((UINT)CTLCOLOR_EDIT, parent.kind);
    EXPECT_EQ(&child, parent.from);
    parent.SendMessage(WM_CTLCOLORBTN, (WPARAM)dc, (LPARAM)child.m_hWnd);
    EXPECT_EQ((UINT)CTLCOLOR_BTN, parent.kind);
    ::ReleaseDC(child.m_hWnd, dc);
    EXPECT_TRUE(log.empty()); // the child's reflected handler stayed out
}
