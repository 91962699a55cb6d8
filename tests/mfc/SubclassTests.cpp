// tests/mfc/SubclassTests.cpp
#include "TestPump.h"
#include <gtest/gtest.h>

namespace {

// A plain Win32 window class that counts what reaches its own procedure.
int s_rawCount;
LRESULT CALLBACK RawProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP + 9)
        ++s_rawCount;
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

HWND CreateRawWindow()
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = RawProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "MfcTestRaw";
        RegisterClassA(&wc);
        registered = true;
    }
    return CreateWindowExA(0, "MfcTestRaw", "raw", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

class Recorder : public CWnd
{
public:
    Log log;
    WNDPROC procAtPreSubclass = nullptr;
    int preSubclassCalls = 0;

    void PreSubclassWindow() override
    {
        ++preSubclassCalls;
        procAtPreSubclass = (WNDPROC)GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC);
    }

protected:
    LRESULT OnApp(WPARAM, LPARAM)
    {
        log.push_back("object");
        return 1;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NCCREATE)
            log.push_back("nccreate");
        else if (message == WM_NCCALCSIZE && std::find(log.begin(), log.end(), "nccalcsize") == log.end())
            log.push_back("nccalcsize");
        else if (message == WM_APP + 9)
            log.push_back("object 9");
        return CWnd::WindowProc(message, wParam, lParam);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Recorder, CWnd)
    ON_MESSAGE(WM_APP + 1, &Recorder::OnApp)
END_MESSAGE_MAP()

// Someone else's hook over our procedure, storing its own pointer in GWLP_USERDATA as the
// program's widget host and scroll-bar skin do.
WNDPROC s_belowOuter;
Log* s_outerLog;
LRESULT CALLBACK OuterProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if ((message == WM_APP + 1 || message == WM_APP + 9) && s_outerLog)
        s_outerLog->push_back("outer");
    return CallWindowProcA(s_belowOuter, hWnd, message, wParam, lParam);
}

class HeightTree : public CTreeCtrl
{
public:
    void PreSubclassWindow() override
    {
        SetItemHeight(30); // the result tree's row height: the control must already exist
        CTreeCtrl::PreSubclassWindow();
    }
};

class StyleDialog : public CDialog
{
public:
    HWND hwndAtPreSubclass = nullptr;
    bool attachedAtInit = false;
    bool sysMenuAtInit = true;

    void PreSubclassWindow() override
    {
        hwndAtPreSubclass = m_hWnd;
        ModifyStyle(WS_SYSMENU, 0);
    }
    BOOL OnInitDialog() override
    {
        attachedAtInit = FromHandlePermanent(m_hWnd) == this;
        sysMenuAtInit = (GetStyle() & WS_SYSMENU) != 0;
        EndDialog(IDOK);
        return TRUE;
    }
};

// The skinned dialogs move their frame in WM_NCCALCSIZE through DefWindowProc.
class FrameDialog : public CDialog
{
public:
    int nccalcBeforeInit = 0;
    bool initialised = false;

    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        LRESULT r = CDialog::DefWindowProc(message, wParam, lParam);
        if (message == WM_NCCALCSIZE && !initialised)
            ++nccalcBeforeInit;
        return r;
    }
    BOOL OnInitDialog() override
    {
        initialised = true;
        EndDialog(IDOK);
        return TRUE;
    }
};

} // namespace

TEST(Subclass, ADialogSeesItsFrameMessagesBeforeInitDialog)
{
    FrameDialog dlg;
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(dlg.initialised);
    EXPECT_GE(dlg.nccalcBeforeInit, 1);
}

TEST(Subclass, AttachedBeforeTheFirstMessages)
{
    Recorder wnd;
    ASSERT_TRUE(CreateTopLevel(wnd));
    ASSERT_GE(wnd.log.size(), 2u);
    EXPECT_EQ("nccreate", wnd.log[0]);
    EXPECT_EQ("nccalcsize", wnd.log[1]);
    EXPECT_EQ(1, wnd.preSubclassCalls);
    EXPECT_EQ((WNDPROC)AfxWndProc, wnd.procAtPreSubclass); // after creation, already ours
}

TEST(Subclass, PreSubclassWindowCanTalkToACreatedControl)
{
    CWnd parent;
    ASSERT_TRUE(CreateTopLevel(parent));
    HeightTree tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS, CRect(0, 0, 100, 100), &parent, 1000));
    EXPECT_EQ(30, tree.GetItemHeight());
}

TEST(Subclass, DialogIsAttachedAndPreSubclassedBeforeInitDialog)
{
    StyleDialog dlg;
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_NE(nullptr, dlg.hwndAtPreSubclass);
    EXPECT_TRUE(dlg.attachedAtInit);
    EXPECT_FALSE(dlg.sysMenuAtInit);
}

TEST(Subclass, SubclassAndUnsubclassAnExistingWindow)
{
    HWND raw = CreateRawWindow();
    ASSERT_TRUE(raw);
    s_rawCount = 0;
    Recorder wnd;
    ASSERT_TRUE(wnd.SubclassWindow(raw));
    EXPECT_EQ(1, wnd.preSubclassCalls);
    EXPECT_EQ((WNDPROC)RawProc, wnd.procAtPreSubclass); // called before our procedure goes in
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(raw));
    EXPECT_EQ(1, SendMessageA(raw, WM_APP + 1, 0, 0));
    SendMessageA(raw, WM_APP + 9, 0, 0); // unhandled: on to the replaced procedure
    EXPECT_EQ(1, s_rawCount);
    EXPECT_EQ((Log{"object", "object 9"}), wnd.log);

    EXPECT_EQ(raw, wnd.UnsubclassWindow());
    EXPECT_EQ((WNDPROC)RawProc, (WNDPROC)GetWindowLongPtrA(raw, GWLP_WNDPROC));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(raw));
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    DestroyWindow(raw);
}

TEST(Subclass, ToleratesBeingSubclassedOver)
{
    HWND raw = CreateRawWindow();
    s_rawCount = 0;
    Recorder wnd;
    ASSERT_TRUE(wnd.SubclassWindow(raw));
    Log outerLog;
    s_outerLog = &outerLog;
    s_belowOuter = (WNDPROC)SetWindowLongPtrA(raw, GWLP_WNDPROC, (LONG_PTR)OuterProc);
    SetWindowLongPtrA(raw, GWLP_USERDATA, 0x1234);

    EXPECT_EQ(1, SendMessageA(raw, WM_APP + 1, 0, 0));
    EXPECT_EQ((Log{"outer"}), outerLog);
    EXPECT_EQ((Log{"object"}), wnd.log);
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(raw));

    // Let go while the outer procedure still chains to ours: ours only passes messages on.
    wnd.UnsubclassWindow();
    EXPECT_EQ((WNDPROC)OuterProc, (WNDPROC)GetWindowLongPtrA(raw, GWLP_WNDPROC));
    SendMessageA(raw, WM_APP + 9, 0, 0);
    EXPECT_EQ(1, s_rawCount);
    EXPECT_EQ((Log{"object"}), wnd.log);
    EXPECT_EQ(0x1234, GetWindowLongPtrA(raw, GWLP_USERDATA));

    // A new object can take the window again on top of the outer procedure.
    Recorder again;
    EXPECT_TRUE(again.SubclassWindow(raw));
    EXPECT_EQ(1, SendMessageA(raw, WM_APP + 1, 0, 0));
    EXPECT_EQ((Log{"object"}), again.log);
    s_outerLog = nullptr;
    DestroyWindow(raw);
    EXPECT_EQ(nullptr, again.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(raw));
}
