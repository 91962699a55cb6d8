// tests/mfc/DialogTests.cpp
#include "TestPump.h"
#include <gtest/gtest.h>

namespace {

CWinApp s_app("mfc tests");

// Ends a dialog that a broken loop would otherwise keep open for ever.
void EndLater(CDialog& dlg, UINT delay, int result)
{
    RunLater(delay, [&dlg, result] {
        if (dlg.m_hWnd)
            dlg.EndDialog(result);
    });
}

void PostKey(HWND hWnd, UINT key)
{
    PostMessageA(hWnd, WM_KEYDOWN, key, 1);
    PostMessageA(hWnd, WM_KEYUP, key, 0xC0000001);
}

// Swallows Esc and Enter as the skinned dialogs do, and records what it saw.
class SkinnedDialog : public CDialog
{
public:
    Log log;
    bool swallow = true;
    BOOL mainEnabledAtDestroy = -1;
    HWND ownerWhileRunning = nullptr;

    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_KEYDOWN && (msg->wParam == VK_ESCAPE || msg->wParam == VK_RETURN)) {
            log.push_back(msg->wParam == VK_ESCAPE ? "dialog esc" : "dialog enter");
            if (swallow)
                return TRUE;
        }
        return CDialog::PreTranslateMessage(msg);
    }

protected:
    void OnDestroy()
    {
        CWnd* main = AfxGetMainWnd();
        mainEnabledAtDestroy = main ? main->IsWindowEnabled() : -1;
        CDialog::OnDestroy();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(SkinnedDialog, CDialog)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

// A control inside the dialog that sees keys before the dialog does.
class KeyWatcher : public CWnd
{
public:
    Log* log = nullptr;
    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_KEYDOWN)
            log->push_back("edit key");
        return FALSE;
    }
};

class DialogWithEdit : public SkinnedDialog
{
public:
    KeyWatcher edit;
    BOOL OnInitDialog() override
    {
        edit.log = &log;
        edit.SubclassDlgItem(300, this);
        return CDialog::OnInitDialog();
    }
};

// A top-level window that plays the application's main window.
struct MainWindow
{
    CWnd wnd;
    MainWindow()
    {
        CreateTopLevel(wnd, "main");
        s_app.m_pMainWnd = &wnd;
    }
    ~MainWindow()
    {
        s_app.m_pMainWnd = nullptr; // or its destruction would post WM_QUIT
        wnd.DestroyWindow();
    }
};

// Every test leaves no step behind for the next one.
class CancelStepsAfterEachTest : public ::testing::EmptyTestEventListener
{
    void OnTestEnd(const ::testing::TestInfo&) override { CancelPending(); }
};
const bool s_listening = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new CancelStepsAfterEachTest);
    return true;
}();

} // namespace

TEST(DoModal, EndDialogResultAndTheKeysOfAPlainDialog)
{
    struct Case { UINT key; INT_PTR expected; };
    for (Case c : {Case{0, 42}, Case{VK_ESCAPE, IDCANCEL}, Case{VK_RETURN, IDOK}}) {
        CDialog dlg;
        RunLater(50, [&dlg, c] {
            if (c.key)
                PostKey(dlg.m_hWnd, c.key);
            else
                dlg.EndDialog(42);
        });
        EndLater(dlg, 3000, -99);
        EXPECT_EQ(c.expected, dlg.DoModal()) << c.key;
        EXPECT_EQ(nullptr, dlg.m_hWnd);
        CancelPending();
    }
}

TEST(DoModal, EscAndEnterReachPreTranslateMessageAndCanBeSwallowed)
{
    SkinnedDialog dlg;
    RunLater(50, [&dlg] {
        PostKey(dlg.m_hWnd, VK_ESCAPE);
        PostKey(dlg.m_hWnd, VK_RETURN);
    });
    EndLater(dlg, 400, 7);
    EXPECT_EQ(7, dlg.DoModal());
    EXPECT_EQ((Log{"dialog esc", "dialog enter"}), dlg.log);
}

TEST(DoModal, KeysWalkFromTheTargetControlUpToTheDialog)
{
    CDialogTemplate tmpl;
    tmpl.AddControl("EDIT", "", 300, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 5, 5, 80, 12);
    DialogWithEdit dlg;
    dlg.InitModalIndirect(tmpl.GetTemplate());
    RunLater(50, [&dlg] { PostKey(dlg.edit.m_hWnd, VK_ESCAPE); });
    EndLater(dlg, 400, 8);
    EXPECT_EQ(8, dlg.DoModal());
    EXPECT_EQ((Log{"edit key", "dialog esc"}), dlg.log);
}

TEST(DoModal, KeysToAChildWithoutAnObjectStillReachTheDialog)
{
    // The pages are plain Win32 children of the main dialog, and they take the focus.
    CDialogTemplate tmpl;
    tmpl.AddControl("EDIT", "", 300, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 5, 5, 80, 12);
    tmpl.AddControl("STATIC", "", 301, WS_CHILD | WS_VISIBLE, 5, 20, 80, 12);
    DialogWithEdit dlg;
    dlg.InitModalIndirect(tmpl.GetTemplate());
    RunLater(50, [&dlg] { PostKey(::GetDlgItem(dlg.m_hWnd, 301), VK_RETURN); });
    EndLater(dlg, 400, 9);
    EXPECT_EQ(9, dlg.DoModal());
    EXPECT_EQ((Log{"dialog enter"}), dlg.log);
}

TEST(DoModal, TheMainWindowOwnsADialogWithNoParentAndIsDisabledMeanwhile)
{
    MainWindow main;
    ASSERT_TRUE(main.wnd.m_hWnd);
    SkinnedDialog dlg;
    BOOL enabledWhileRunning = -1;
    RunLater(50, [&] {
        enabledWhileRunning = main.wnd.IsWindowEnabled();
        dlg.ownerWhileRunning = ::GetWindow(dlg.m_hWnd, GW_OWNER);
        dlg.EndDialog(IDOK);
    });
    EndLater(dlg, 3000, -99);
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_FALSE(enabledWhileRunning);
    EXPECT_EQ(main.wnd.m_hWnd, dlg.ownerWhileRunning);
    EXPECT_TRUE(dlg.mainEnabledAtDestroy); // enabled again before the dialog went
    EXPECT_TRUE(main.wnd.IsWindowEnabled());
}

TEST(DoModal, ActivationReturnsToTheOwner)
{
    MainWindow main;
    main.wnd.ShowWindow(SW_SHOW);
    main.wnd.SetActiveWindow();
    ASSERT_EQ(main.wnd.m_hWnd, ::GetActiveWindow());
    CDialog dlg;
    HWND activeWhileRunning = nullptr;
    RunLater(50, [&] {
        activeWhileRunning = ::GetActiveWindow();
        dlg.EndDialog(IDOK);
    });
    EndLater(dlg, 3000, -99);
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_NE(main.wnd.m_hWnd, activeWhileRunning);
    EXPECT_EQ(main.wnd.m_hWnd, ::GetActiveWindow());
}

TEST(DoModal, AParentThatIsAChildWindowGivesItsTopLevelWindowAsOwner)
{
    MainWindow main;
    CWnd page; // a page inside the main window, as the tip dialogs are opened from
    ASSERT_TRUE(CreateChild(page, main.wnd, 10));
    CDialog dlg(1u, &page);
    HWND owner = nullptr;
    BOOL enabledWhileRunning = -1;
    RunLater(50, [&] {
        owner = ::GetWindow(dlg.m_hWnd, GW_OWNER);
        enabledWhileRunning = main.wnd.IsWindowEnabled();
        dlg.EndDialog(5);
        dlg.EndDialog(6); // the last call wins, as callers of the framework expect
    });
    EndLater(dlg, 3000, -99);
    EXPECT_EQ(6, dlg.DoModal());
    EXPECT_EQ(main.wnd.m_hWnd, owner);
    EXPECT_FALSE(enabledWhileRunning);
    EXPECT_TRUE(main.wnd.IsWindowEnabled());
}

TEST(DoModal, ADialogDestroyedInsideItsLoopEndsIt)
{
    MainWindow main;
    CDialog dlg;
    RunLater(50, [&] { ::DestroyWindow(dlg.m_hWnd); });
    EndLater(dlg, 3000, -99);
    EXPECT_EQ(-1, dlg.DoModal());
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    EXPECT_TRUE(main.wnd.IsWindowEnabled());
}

TEST(DoModal, AnOwnerThatWasDisabledStaysDisabled)
{
    MainWindow main;
    main.wnd.EnableWindow(FALSE);
    CDialog dlg;
    EndLater(dlg, 50, IDOK);
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_FALSE(main.wnd.IsWindowEnabled());
}

TEST(DoModal, NestedDialogsEndInOrder)
{
    MainWindow main;
    CDialog outer, inner;
    INT_PTR innerResult = 0;
    BOOL outerEnabledInside = -1;
    RunLater(50, [&] {
        RunLater(50, [&] {
            outerEnabledInside = outer.IsWindowEnabled();
            inner.EndDialog(11);
        });
        CDialog* parentless = &inner;
        innerResult = parentless->DoModal(); // owned by the main window, which is disabled already
        outer.EndDialog(12);
    });
    EndLater(outer, 3000, -99);
    EXPECT_EQ(12, outer.DoModal());
    EXPECT_EQ(11, innerResult);
    EXPECT_TRUE(outerEnabledInside);
    EXPECT_TRUE(main.wnd.IsWindowEnabled());
}

namespace {

// The first visible top-level window of this thread in z-order: the one a user sees on top.
HWND TopVisibleWindowOfThread()
{
    for (HWND w = ::GetTopWindow(nullptr); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
        if (::IsWindowVisible(w) && ::GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId())
            return w;
    }
    return nullptr;
}

} // namespace

// A box that ends while another box of the same owner still runs (a wait dialog over an
// open About): the disabled owner must not be activated, which would raise it above the
// open box and, without a window manager, leave that box unreachable.
TEST(DoModal, ABoxEndingUnderAnotherOpenBoxLeavesThatBoxOnTopAndActive)
{
    MainWindow main;
    main.wnd.ShowWindow(SW_SHOW);
    main.wnd.SetActiveWindow();
    CDialogTemplate tmpl(WS_POPUP | WS_VISIBLE | WS_CAPTION, 120, 60, "box");
    CDialog outer, inner;
    outer.InitModalIndirect(tmpl.GetTemplate());
    inner.InitModalIndirect(tmpl.GetTemplate());
    int loopsInside = -1;
    HWND activeAfter = nullptr, topAfter = nullptr, outerWindow = nullptr;
    BOOL mainEnabledAfter = -1;
    RunLater(50, [&] {
        RunLater(50, [&] {
            loopsInside = CDialog::RunningModalLoops();
            inner.EndDialog(IDOK);
        });
        inner.DoModal();  // no parent: owned by the main window, already disabled by outer
        Pump(50);
        outerWindow = outer.m_hWnd;
        activeAfter = ::GetActiveWindow();
        topAfter = TopVisibleWindowOfThread();
        mainEnabledAfter = main.wnd.IsWindowEnabled();
        // The open box still takes its answer.
        ::PostMessageA(outer.m_hWnd, WM_COMMAND, IDOK, 0);
    });
    EndLater(outer, 3000, -99);
    EXPECT_EQ(IDOK, outer.DoModal());
    EXPECT_EQ(2, loopsInside);
    EXPECT_EQ(0, CDialog::RunningModalLoops());
    EXPECT_FALSE(mainEnabledAfter);
    ASSERT_NE(nullptr, outerWindow);
    EXPECT_EQ(outerWindow, activeAfter);
    EXPECT_EQ(outerWindow, topAfter);
    EXPECT_TRUE(main.wnd.IsWindowEnabled());
}

TEST(DoModal, QuitEndsTheLoopAndIsPostedAgain)
{
    CDialog dlg;
    RunLater(50, [] { PostQuitMessage(3); });
    EndLater(dlg, 3000, -99);
    EXPECT_EQ(-1, dlg.DoModal());
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(3u, msg.wParam);
}

TEST(DoModal, RegisteredTemplateNamesItsWindowClass)
{
    // The main dialog's pattern: a copy of the dialog class under the program's own name.
    WNDCLASSA wc;
    ASSERT_TRUE(GetClassInfoA(nullptr, "#32770", &wc));
    wc.lpszClassName = "MfcTestDialogClass";
    wc.hInstance = nullptr;
    ASSERT_TRUE(AfxRegisterClass(&wc));
    CDialog::RegisterTemplate(9102, CDialogTemplate(WS_POPUP | WS_CAPTION, 120, 60, "Caption",
                                                    "MfcTestDialogClass"));
    CDialog dlg(9102);
    std::string className, caption;
    RunLater(50, [&] {
        char buf[64];
        GetClassNameA(dlg.m_hWnd, buf, sizeof(buf));
        className = buf;
        CString text;
        dlg.GetWindowText(text);
        caption = (const char*)text;
        dlg.EndDialog(IDOK);
    });
    EndLater(dlg, 3000, -99);
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ("MfcTestDialogClass", className);
    EXPECT_EQ("Caption", caption);
    EXPECT_TRUE(FindWindowA("MfcTestDialogClass", nullptr) == nullptr);
}

TEST(Modeless, CreateEndAndDestroy)
{
    SkinnedDialog dlg;
    dlg.swallow = false;
    ASSERT_TRUE(dlg.Create(1));
    ASSERT_TRUE(dlg.IsWindow());
    dlg.ShowWindow(SW_SHOW);
    // The program's loop gives a modeless dialog its keys too.
    PostKey(dlg.m_hWnd, VK_ESCAPE);
    Pump(50);
    EXPECT_EQ((Log{"dialog esc"}), dlg.log);
    EXPECT_FALSE(dlg.IsWindowVisible()); // OnCancel -> EndDialog hides a modeless dialog
    EXPECT_TRUE(dlg.DestroyWindow());
    EXPECT_EQ(nullptr, dlg.m_hWnd);
}
