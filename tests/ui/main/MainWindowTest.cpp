// tests/ui/main/MainWindowTest.cpp
// The main dialog under Xvfb: its pages and their placement, page switching, the taskbar
// messages, the exit question, the keys it swallows, a whole scan from a dropped folder to
// the results page, closing while a scan runs, and the program's single instance (real child
// processes of the shipped program).
#include <gtest/gtest.h>

#include <windows.h>

#include <stdlib.h>

#include <functional>
#include <string>
#include <vector>

#include "MainTestDialog.h"
#include "app/AppFolder.h"
#include "app/LangString.h"
#include "app/Language.h"
#include "app/Settings.h"
#include "finder/ScanState.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/DibSurface.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WinePath.h"
#include "tests/ui/startpage/StartPageHost.h"
#include "ui/main/MainDialogClass.h"
#include "ui/results/ScanResultPageLink.h"
#include "uikit/dialog/KvrMessageBox.h"
#include "uikit/dialog/MessageBoxPlan.h"

using startpagetest::MakeDrop;
using startpagetest::PumpFor;
using startpagetest::PumpUntil;

namespace {

std::string Tree(const char* name)
{
    return FixtureDir() + "\\startpage\\" + name;
}

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        dialog_.reset(new MainTestDialog);
        ASSERT_TRUE(dialog_->Create(kMainDialogTemplateId, nullptr));
        dialog_->ShowWindow(SW_SHOW);
        PumpFor(50);
    }
    void TearDown() override
    {
        if (dialog_->GetSafeHwnd())
            dialog_->DestroyWindow();
        dialog_.reset();
        PumpFor(20);
    }
    HWND Start() { return dialog_->StartPage().GetHwnd(); }
    HWND Results() { return dialog_->Pending().Hwnd(); }
    bool Visible(HWND window) { return IsWindowVisible(window) != FALSE; }
    RECT WindowRect()
    {
        RECT rect;
        GetWindowRect(dialog_->GetSafeHwnd(), &rect);
        return rect;
    }

    std::unique_ptr<MainTestDialog> dialog_;
};

} // namespace

TEST_F(MainWindow, HostsBothPagesInsideItsClientArea)
{
    const RECT window = WindowRect();
    EXPECT_EQ(1200, window.right - window.left);
    EXPECT_EQ(725, window.bottom - window.top);
    EXPECT_TRUE(GetWindowLongA(dialog_->GetSafeHwnd(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);

    RECT client;
    GetClientRect(dialog_->GetSafeHwnd(), &client);
    const RECT& page = dialog_->PageRect();
    EXPECT_EQ(2, page.left);
    EXPECT_EQ(-1, page.top);
    EXPECT_EQ(client.right - 2, page.right);
    EXPECT_EQ(client.bottom - 2, page.bottom);

    ASSERT_TRUE(Start());
    ASSERT_TRUE(Results());
    EXPECT_EQ(dialog_->GetSafeHwnd(), GetParent(Start()));
    EXPECT_EQ(dialog_->GetSafeHwnd(), GetParent(Results()));
    EXPECT_EQ(Start(), dialog_->CurrentPage());
    EXPECT_TRUE(Visible(Start()));
    EXPECT_FALSE(Visible(Results()));

    char cls[64] = {};
    GetClassNameA(dialog_->GetSafeHwnd(), cls, sizeof(cls));
    EXPECT_STREQ(kMainDialogClassName, cls);
    EXPECT_TRUE(IsWindow(dialog_->ToolTipWindow()));
}

TEST_F(MainWindow, SwitchesPagesOnlyForTheResultsPagesOwnReturn)
{
    dialog_->SendMessage(WM_COMMAND, kCmdShowResultsPage, 0);
    EXPECT_EQ(Results(), dialog_->CurrentPage());
    EXPECT_TRUE(Visible(Results()));
    EXPECT_FALSE(Visible(Start()));
    EXPECT_EQ(1, dialog_->Pending().ShowCount());
    UiCtrl::UiItem* maximise = dialog_->FindCaptionItem(kCaptionMaximise);
    ASSERT_TRUE(maximise);
    EXPECT_TRUE(maximise->IsVisible());
    EXPECT_TRUE(maximise->IsEnabled());

    // Someone else's 201: the buttons and the size reset, the page stays.
    SetWindowPos(dialog_->GetSafeHwnd(), nullptr, 0, 0, 900, 600, SWP_NOMOVE | SWP_NOZORDER);
    dialog_->SendMessage(WM_COMMAND, kCmdBackToStart, 12345);
    EXPECT_EQ(Results(), dialog_->CurrentPage());
    EXPECT_FALSE(maximise->IsEnabled());
    EXPECT_EQ(1200, WindowRect().right - WindowRect().left);

    dialog_->SendMessage(WM_COMMAND, kCmdBackToStart, reinterpret_cast<LPARAM>(Results()));
    EXPECT_EQ(Start(), dialog_->CurrentPage());
    EXPECT_TRUE(Visible(Start()));
    EXPECT_FALSE(Visible(Results()));
}

TEST_F(MainWindow, TakesTaskbarMessagesWithOrWithoutTheShellsObject)
{
    // Whether or not the shell's object exists, the messages are taken and nothing breaks.
    EXPECT_EQ(1, dialog_->SendMessage(UiCtrl::kTaskbarProgressMessage, 30, 100));
    EXPECT_EQ(1, dialog_->SendMessage(UiCtrl::kTaskbarProgressMessage, 0, 0));
    EXPECT_EQ(1, dialog_->SendMessage(TaskbarButtonCreatedMessage(), 0, 0));
    ASSERT_TRUE(TaskbarProgress::SystemHasProgress());  // Wine reports Windows 7 or later
    EXPECT_TRUE(dialog_->Taskbar().HasObject());
    dialog_->Taskbar().Release();
    EXPECT_EQ(1, dialog_->SendMessage(UiCtrl::kTaskbarProgressMessage, 50, 100));
}

TEST_F(MainWindow, CaptionTipShowsAndHides)
{
    HWND tip = dialog_->ToolTipWindow();
    ASSERT_TRUE(IsWindow(tip));
    EXPECT_EQ(1, SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0));  // the control took the tool
    EXPECT_TRUE(dialog_->ShowCaptionTip(600, 10, true, "Close", true));
    // Shown, the tip has asked the dialog for its text and sized itself around it, centred on
    // the x it was given.
    RECT rect = {};
    EXPECT_TRUE(PumpUntil(
        [&] {
            GetWindowRect(tip, &rect);
            return rect.right > rect.left && rect.bottom > rect.top;
        },
        2000));
    EXPECT_TRUE(IsWindowVisible(tip));
    char text[64] = {};
    GetWindowTextA(tip, text, sizeof(text));
    EXPECT_STREQ("Close", text);
    EXPECT_LT(rect.left, 600);
    EXPECT_GT(rect.right, 600);
    EXPECT_TRUE(dialog_->ShowCaptionTip(0, 0, false, "", true));
    EXPECT_FALSE(IsWindowVisible(tip));
    // Gone with the window: the calls say so instead of touching a dead handle.
    dialog_->DestroyWindow();
    EXPECT_FALSE(IsWindow(tip));
    EXPECT_FALSE(dialog_->ShowCaptionTip(600, 10, true, "Close", true));
}

TEST_F(MainWindow, AsksBeforeClosingAndKeepsRunningOnNo)
{
    dialog_->exitAnswer = 2;
    dialog_->SendMessage(WM_COMMAND, kCmdCaptionClose, 0);
    PumpFor(50);
    EXPECT_EQ(1, dialog_->exitAsked);
    EXPECT_TRUE(Visible(dialog_->GetSafeHwnd()));

    // Esc and Enter never close it; neither does a bare IDOK.
    for (WPARAM key : {VK_ESCAPE, VK_RETURN}) {
        MSG msg = {dialog_->GetSafeHwnd(), WM_KEYDOWN, key, 0};
        EXPECT_TRUE(dialog_->PreTranslateMessage(&msg));
    }
    dialog_->SendMessage(WM_COMMAND, IDOK, 0);
    PumpFor(50);
    EXPECT_TRUE(Visible(dialog_->GetSafeHwnd()));

    dialog_->exitAnswer = 1;
    dialog_->SendMessage(WM_COMMAND, kCmdCaptionClose, 0);
    EXPECT_TRUE(PumpUntil([&] { return !Visible(dialog_->GetSafeHwnd()); }, 3000));
    EXPECT_EQ(1, g_scanCancelled.load());
}

TEST_F(MainWindow, MenuShowsItsEntriesAndSwitchesNothingForUnknownIds)
{
    dialog_->menuChoice = 0;
    EXPECT_EQ(0, dialog_->OnClickMenu());
    EXPECT_EQ(1, dialog_->menusShown);
    const MenuPlan& plan = dialog_->LastMenuPlan();
    EXPECT_EQ(dialog_->lastMenuCount, static_cast<int>(plan.entries.size()));
    EXPECT_FALSE(plan.entries.empty());
    // The shipped settings allow switching: the language list is there.
    EXPECT_FALSE(plan.languageFiles.empty());
    EXPECT_FALSE(dialog_->SwitchLanguage(199));
    // The current language again: nothing breaks, the choice is kept.
    EXPECT_TRUE(dialog_->SwitchLanguage(kFirstLanguageId));

    // About opens its modal box over the main window.
    startpagetest::ModalCloser closer(dialog_->GetSafeHwnd());
    dialog_->menuChoice = kMenuAbout;
    EXPECT_EQ(0, dialog_->OnClickMenu());
    EXPECT_EQ(1, closer.Seen());
}

// Japanese text under a code page without its characters comes out as "????": the menu greys
// it with the reason, and choosing it anyway switches nothing. Under code page 932 (ctest runs
// this case again with a Japanese locale) it is offered and chosen like any other.
TEST_F(MainWindow, LanguageMenuOffersJapaneseOnlyWhereTheCodePageShowsIt)
{
    TempFolder settings("menu-settings");
    SetSettingsFolder(settings.Path().c_str());
    // Each ctest entry names the code page it runs under, so neither branch below goes unrun.
    const char* expected = getenv("TEST_CODE_PAGE");
    ASSERT_TRUE(expected) << "ctest sets TEST_CODE_PAGE";
    ASSERT_EQ(static_cast<UINT>(atoi(expected)), GetACP());
    const bool shows = GetACP() == 932;

    dialog_->menuChoice = kFirstLanguageId + 1;
    EXPECT_EQ(0, dialog_->OnClickMenu());
    ASSERT_NE(~0u, dialog_->japaneseState) << "no Japanese entry in the menu";
    EXPECT_EQ(!shows, (dialog_->japaneseState & MF_GRAYED) != 0);
    EXPECT_EQ(0u, dialog_->japaneseState & MF_CHECKED);
    // Every text of a language file must show, not a sample of them: under code page 932 the
    // accented letters of German, French, Spanish and Portuguese cannot ("Semelhanca").
    for (int i : {2, 3, 4, 5}) {
        ASSERT_NE(~0u, dialog_->languageStates[i]) << i;
        EXPECT_EQ(shows, (dialog_->languageStates[i] & MF_GRAYED) != 0) << i;
    }
    const std::wstring name = L"\u65e5\u672c\u8a9e";
    if (shows) {
        EXPECT_EQ(name, dialog_->japaneseText);
        EXPECT_EQ(1, GetLanguageIndex());
        EXPECT_EQ("Japanese.dat", ReadSettingText("LanguageName", ""));
        // Back to English for the cases that follow.
        EXPECT_TRUE(dialog_->SwitchLanguage(kFirstLanguageId));
    } else {
        // Named in the current language: its own characters cannot show either.
        EXPECT_EQ(L"Japanese (this system cannot show its characters)", dialog_->japaneseText);
        EXPECT_EQ(0, GetLanguageIndex());
        EXPECT_EQ("", ReadSettingText("LanguageName", ""));
    }
    EXPECT_EQ(0, GetLanguageIndex());
    SetSettingsFolder(nullptr);
}

TEST_F(MainWindow, ADroppedFolderEndsOnTheResultsPage)
{
    HDROP drop = MakeDrop({Tree("dups")});
    dialog_->StartPage().OnDropFiles(drop);
    ASSERT_TRUE(PumpUntil([&] { return dialog_->CurrentPage() == Results(); }, 30000));
    EXPECT_EQ(1, dialog_->waitDialogs);
    EXPECT_EQ(1, g_resultsReady.load());
    EXPECT_FALSE(dialog_->HandOverRunning());
    EXPECT_EQ(0, dialog_->StartPage().GetScanView());
    // Two pairs of copies: a picture and a document.
    size_t files = 0;
    for (int k = 1; k <= 5; ++k) {
        EXPECT_EQ(1, dialog_->Pending().FillCount(k)) << k;
        files += dialog_->Pending().FileCount(k);
    }
    EXPECT_EQ(4u, files);
    EXPECT_EQ(2u, dialog_->Pending().FileCount(1));
    EXPECT_EQ(dialog_->StartPage().GetLocationText(), dialog_->Pending().Location());
    EXPECT_TRUE(dialog_->Pending().Store());  // the records outlive the start page's next scan

    // Back on the start page, a second scan hands over again.
    dialog_->SendMessage(WM_COMMAND, kCmdBackToStart, reinterpret_cast<LPARAM>(Results()));
    ASSERT_EQ(Start(), dialog_->CurrentPage());
    dialog_->StartPage().OnDropFiles(MakeDrop({Tree("dups")}));
    ASSERT_TRUE(PumpUntil([&] { return dialog_->CurrentPage() == Results(); }, 30000));
    EXPECT_EQ(2, dialog_->waitDialogs);
    EXPECT_EQ(2, dialog_->Pending().FillCount(1));
}

TEST_F(MainWindow, ASecondHandOverWhileOneRunsIsIgnored)
{
    // Both commands arrive before the first wait dialog runs.
    dialog_->PostMessage(WM_COMMAND, UiCtrl::kCmdShowResults, 0);
    dialog_->PostMessage(WM_COMMAND, UiCtrl::kCmdShowResults, 0);
    ASSERT_TRUE(PumpUntil([&] { return dialog_->CurrentPage() == Results(); }, 10000));
    PumpFor(300);
    EXPECT_EQ(1, dialog_->Pending().FillCount(1));
    EXPECT_EQ(1, dialog_->waitDialogs);

    // A wait message of no hand-over shows nothing (it would wait for ever).
    dialog_->SendMessage(kShowWaitMessage, 0, 0);
    EXPECT_EQ(1, dialog_->waitDialogs);
}

TEST_F(MainWindow, ClosingDuringAHandOverWaitsForItAndShowsNoPage)
{
    dialog_->exitAnswer = 1;
    dialog_->PostMessage(WM_COMMAND, UiCtrl::kCmdShowResults, 0);
    // Answered at once: its WM_CLOSE arrives before the hand-over's wait dialog.
    dialog_->SendMessage(WM_COMMAND, kCmdCaptionClose, 0);
    ASSERT_TRUE(PumpUntil([&] { return !Visible(dialog_->GetSafeHwnd()); }, 5000));
    PumpFor(300);
    EXPECT_FALSE(dialog_->HandOverRunning());
    EXPECT_EQ(1, g_resultsReady.load());
    EXPECT_EQ(0, dialog_->waitDialogs);
    EXPECT_EQ(Start(), dialog_->CurrentPage());
}

TEST_F(MainWindow, ClosingDuringAScanStopsItFirst)
{
    dialog_->StartPage().OnDropFiles(MakeDrop({Tree("large")}));
    ASSERT_TRUE(PumpUntil([&] { return dialog_->StartPage().IsScanning(); }, 5000));
    dialog_->exitAnswer = 1;
    dialog_->PostMessage(WM_CLOSE, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return !Visible(dialog_->GetSafeHwnd()); }, 30000));
    EXPECT_EQ(1, dialog_->exitAsked);
    EXPECT_FALSE(dialog_->StartPage().IsScanning());
    EXPECT_EQ(0, dialog_->waitDialogs);
}

namespace {

// Runs steps from whatever message loop runs on this thread (a modal box's included).
std::vector<std::pair<UINT_PTR, std::function<void()>>>& Steps()
{
    static std::vector<std::pair<UINT_PTR, std::function<void()>>> steps;
    return steps;
}

void CALLBACK FireStep(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    for (size_t i = 0; i < Steps().size(); ++i) {
        if (Steps()[i].first == id) {
            auto step = Steps()[i].second;
            Steps().erase(Steps().begin() + i);
            step();
            return;
        }
    }
}

void StepLater(UINT ms, std::function<void()> step)
{
    Steps().push_back({SetTimer(nullptr, 0, ms, FireStep), std::move(step)});
}

// The first visible top-level window of this thread in z-order: what the user sees on top.
HWND TopWindowOfThread()
{
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (IsWindowVisible(w) && GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId() &&
            !(GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOPMOST))
            return w;
    }
    return nullptr;
}

// The modal box this thread shows over the main window, if any.
HWND OpenBoxOver(HWND main)
{
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w != main && IsWindowVisible(w) && GetWindow(w, GW_OWNER) == main)
            return w;
    }
    return nullptr;
}

// The program's own message box that this thread shows, if any.
BOOL CALLBACK FindShownBox(HWND window, LPARAM found)
{
    auto* box = dynamic_cast<KVRMessageBox*>(CWnd::FromHandlePermanent(window));
    if (box && IsWindowVisible(window))
        *reinterpret_cast<KVRMessageBox**>(found) = box;
    return TRUE;
}
KVRMessageBox* ShownBoxOfThisThread()
{
    KVRMessageBox* box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindShownBox, reinterpret_cast<LPARAM>(&box));
    return box;
}

// What the screen shows inside rect, as 0x00RRGGBB pixels row by row.
std::vector<uint32_t> ScreenPixels(const RECT& rect)
{
    DibSurface surface(rect.right - rect.left, rect.bottom - rect.top, 0);
    HDC screen = GetDC(nullptr);
    BitBlt(surface.dc(), 0, 0, rect.right - rect.left, rect.bottom - rect.top, screen, rect.left,
           rect.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    return surface.Pixels();
}

bool Inside(const RECT& inner, const RECT& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

} // namespace

// A scan that ends while About or the close question is open: the wait dialog waits for the
// box to close, the box stays the top window and takes its answer, and the hand-over then
// ends on the results page (About) or the program closes (the close question's yes).
TEST_F(MainWindow, ABoxOpenWhenTheScanEndsStaysOnTopAndAnswers)
{
    for (const bool about : {true, false}) {
        SCOPED_TRACE(about ? "About" : "the close question");
        HWND main = dialog_->GetSafeHwnd();
        const int waitsBefore = dialog_->waitDialogs;
        HWND box = nullptr, topWhileOpen = nullptr, activeWhileOpen = nullptr;
        int waitsWhileOpen = -1;
        bool readyWhileOpen = false;
        StepLater(300, [&] {
            box = OpenBoxOver(main);
            dialog_->PostMessage(WM_COMMAND, UiCtrl::kCmdShowResults, 0);
            StepLater(800, [&] {
                topWhileOpen = TopWindowOfThread();
                activeWhileOpen = GetActiveWindow();
                waitsWhileOpen = dialog_->waitDialogs;
                readyWhileOpen = g_resultsReady.load() == 1;
                PostMessageA(box, WM_COMMAND, IDOK, 0);
            });
        });
        if (about) {
            dialog_->menuChoice = kMenuAbout;
            dialog_->OnClickMenu();
        } else {
            dialog_->realExitQuestion = true;
            dialog_->SendMessage(WM_COMMAND, kCmdCaptionClose, 0);
        }
        ASSERT_TRUE(box);
        EXPECT_EQ(box, topWhileOpen);
        EXPECT_EQ(box, activeWhileOpen);
        EXPECT_EQ(waitsBefore, waitsWhileOpen);
        EXPECT_TRUE(readyWhileOpen);  // the copy itself does not wait
        EXPECT_FALSE(IsWindow(box));
        if (about) {
            ASSERT_TRUE(PumpUntil([&] { return dialog_->CurrentPage() == Results(); }, 10000));
            EXPECT_EQ(waitsBefore + 1, dialog_->waitDialogs);
            EXPECT_TRUE(IsWindowEnabled(main));
        } else {
            ASSERT_TRUE(PumpUntil([&] { return !Visible(main); }, 10000));
            PumpFor(300);
            EXPECT_EQ(waitsBefore, dialog_->waitDialogs);  // closed before its wait dialog
        }
    }
}

// Every way of closing asks what the caption's close item asks, in the program's own box:
// Alt+F4 as its keys arrive, the system menu's close (what a window manager's close button
// sends) and a WM_CLOSE from another program. No keeps the window and its pages; yes ends it.
TEST_F(MainWindow, EveryWayOfClosingAsksFirst)
{
    HWND main = dialog_->GetSafeHwnd();
    dialog_->realExitQuestion = true;
    const LPARAM altF4 = 0x20000001 | (MapVirtualKeyA(VK_F4, 0) << 16);  // context bit: Alt held
    const struct {
        const char* name;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    } ways[] = {
        {"Alt+F4", WM_SYSKEYDOWN, VK_F4, altF4},
        {"system menu close", WM_SYSCOMMAND, SC_CLOSE, 0},
        {"WM_CLOSE", WM_CLOSE, 0, 0},
    };
    const std::string exitNow = GetLangString("ExitNow");
    ASSERT_FALSE(exitNow.empty());
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        const int asked = dialog_->exitAsked;
        std::string question;
        StepLater(300, [&] {
            HWND box = OpenBoxOver(main);
            if (auto* shown = dynamic_cast<KVRMessageBox*>(CWnd::FromHandlePermanent(box)))
                question = shown->Text();
            PostMessageA(box, WM_COMMAND, MessageBoxPlan::kSecondButton, 0);  // No
        });
        PostMessageA(main, way.message, way.wParam, way.lParam);
        PumpFor(600);
        EXPECT_EQ(asked + 1, dialog_->exitAsked);
        EXPECT_EQ(exitNow, question);
        ASSERT_TRUE(Visible(main));
        EXPECT_TRUE(IsWindowEnabled(main));
        EXPECT_EQ(Start(), dialog_->CurrentPage());
    }
    StepLater(300, [&] { PostMessageA(OpenBoxOver(main), WM_COMMAND, MessageBoxPlan::kFirstButton, 0); });  // Yes
    PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(PumpUntil([&] { return !Visible(main); }, 5000));
}

// A folder dropped after the scan worker ended but before the hand-over ran (before the
// start page heard of the end, and between that and command 200) starts nothing: the
// results page shows the first scan under its own name.
TEST_F(MainWindow, ADropBetweenTheScansEndAndTheHandOverIsRefused)
{
    UiCtrl::SelFileTypeWnd& page = dialog_->StartPage();
    page.OnDropFiles(MakeDrop({Tree("dups")}));
    // Until the worker runs (or has run and left its finish message), one message at a time.
    ASSERT_TRUE(PumpUntil([&] {
        MSG queued;
        return !page.Run().m_workerEnded ||
               PeekMessageA(&queued, Start(), kScanFinishedMessage, kScanFinishedMessage,
                            PM_NOREMOVE);
    }, 5000));
    // Wait for the worker without dispatching its finish message.
    const DWORD start = GetTickCount();
    while (!page.Run().m_workerEnded && GetTickCount() - start < 30000)
        Sleep(10);
    ASSERT_TRUE(page.Run().m_workerEnded.load());
    const std::string first = page.GetLocation();
    SendMessageA(Start(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({Tree("nodups")})), 0);
    EXPECT_EQ(first, page.GetLocation());

    // The finish message alone (the worker posts it just after it ended): the page posts
    // command 200, which has not run yet.
    MSG msg;
    bool finished = false;
    for (int i = 0; i < 500 && !finished; ++i) {
        finished = PeekMessageA(&msg, Start(), kScanFinishedMessage, kScanFinishedMessage,
                                PM_REMOVE) != FALSE;
        if (!finished)
            Sleep(10);
    }
    ASSERT_TRUE(finished);
    DispatchMessageA(&msg);
    ASSERT_TRUE(PeekMessageA(&msg, dialog_->GetSafeHwnd(), WM_COMMAND, WM_COMMAND, PM_NOREMOVE));
    SendMessageA(Start(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({Tree("nodups")})), 0);
    PostMessageA(Start(), UiCtrl::kStartScanMessage, 0, 0);
    EXPECT_EQ(first, page.GetLocation());

    ASSERT_TRUE(PumpUntil([&] { return dialog_->CurrentPage() == Results(); }, 10000));
    PumpFor(200);
    EXPECT_FALSE(page.IsScanning());
    EXPECT_EQ(1, dialog_->waitDialogs);
    EXPECT_EQ("dups", dialog_->Pending().Location());
    EXPECT_EQ(4u, dialog_->Pending().FileCount(1) + dialog_->Pending().FileCount(3) +
                      dialog_->Pending().FileCount(5) + dialog_->Pending().FileCount(2) +
                      dialog_->Pending().FileCount(4));
    EXPECT_EQ(1, dialog_->Pending().OutcomeCount());
    EXPECT_FALSE(dialog_->Pending().Outcome().stopped);

    // Back on the start page, it is idle and takes a drop again.
    dialog_->SendMessage(WM_COMMAND, kCmdBackToStart, reinterpret_cast<LPARAM>(Results()));
    SendMessageA(Start(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({Tree("nodups")})), 0);
    EXPECT_EQ(Tree("nodups"), page.GetLocation());
    ASSERT_TRUE(PumpUntil([&] { return !page.IsBusy(); }, 30000));
    {
        startpagetest::ModalCloser closer(dialog_->GetSafeHwnd());
        PumpFor(300);
    }
}

// Maximise, Back, a new scan: both pages fill the client area at every size.
TEST_F(MainWindow, PagesFollowEverySizeChange)
{
    HWND main = dialog_->GetSafeHwnd();
    auto pageFits = [&](HWND page) {
        RECT client, rect;
        GetClientRect(main, &client);
        GetWindowRect(page, &rect);
        MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&rect), 2);
        const RECT& expected = dialog_->PageRect();
        return rect.right - rect.left == expected.right - expected.left &&
               rect.bottom - rect.top == expected.bottom - expected.top &&
               expected.right == client.right - 2 && expected.bottom == client.bottom - 2;
    };
    dialog_->SendMessage(WM_COMMAND, kCmdShowResultsPage, 0);
    dialog_->SendMessage(WM_COMMAND, kCaptionMaximise, 0);
    PumpFor(100);
    ASSERT_GT(WindowRect().right - WindowRect().left, 1200);
    EXPECT_TRUE(pageFits(Results()));
    EXPECT_TRUE(pageFits(Start()));

    dialog_->SendMessage(WM_COMMAND, kCmdBackToStart, reinterpret_cast<LPARAM>(Results()));
    PumpFor(100);
    ASSERT_EQ(1200, WindowRect().right - WindowRect().left);
    EXPECT_TRUE(pageFits(Results()));
    EXPECT_TRUE(pageFits(Start()));

    dialog_->StartPage().OnDropFiles(MakeDrop({Tree("dups")}));
    ASSERT_TRUE(PumpUntil([&] { return dialog_->CurrentPage() == Results(); }, 30000));
    EXPECT_TRUE(pageFits(Results()));
    RECT client, results;
    GetClientRect(main, &client);
    GetWindowRect(Results(), &results);
    MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&results), 2);
    EXPECT_TRUE(Inside({results.left, 0, results.right, results.bottom}, client));
}

// The program's own pages: the real results page fills from the scan, and its back button
// returns to the start page.
TEST(MainWindowRealPages, AScanFillsTheResultsPageAndItsBackButtonReturns)
{
    CKVRUIDlg dialog(nullptr);
    ASSERT_TRUE(dialog.Create(kMainDialogTemplateId, nullptr));
    dialog.ShowWindow(SW_SHOW);
    PumpFor(50);
    auto& link = static_cast<ScanResultPageLink&>(dialog.ResultsPage());
    dialog.StartPage().OnDropFiles(MakeDrop({Tree("dups")}));
    ASSERT_TRUE(PumpUntil([&] { return dialog.CurrentPage() == link.Hwnd(); }, 30000));
    EXPECT_TRUE(IsWindowVisible(link.Hwnd()));
    EXPECT_EQ(4, link.Page().Model().FileCount(0));
    EXPECT_EQ(2u, link.Page().Model().GroupCount());

    link.Page().OnCommand(UiCtrl::ScanResultPageWnd::kCmdBack, 0);
    ASSERT_TRUE(PumpUntil([&] { return dialog.CurrentPage() == dialog.StartPage().GetHwnd(); },
                          5000));
    EXPECT_FALSE(IsWindowVisible(link.Hwnd()));
    dialog.DestroyWindow();
    PumpFor(20);
}

// The program as the user starts it: from its own folder.
static bool StartProgram(ChildProcess& child)
{
    return child.Start(std::string(GetAppFolder()) + "DuplicateFiles.exe", "", GetAppFolder());
}

// No main dialog of this process exists meanwhile: the second copy must find the first's.
TEST(SingleInstance, ASecondCopyTellsTheUserRaisesTheFirstAndEnds)
{
    ChildProcess first;
    ASSERT_TRUE(StartProgram(first));
    HWND running = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        running = FindWindowA(kMainDialogClassName, nullptr);
        return running && IsWindowVisible(running);
    }, 20000));
    ShowWindow(running, SW_MINIMIZE);
    PumpFor(100);

    ChildProcess second;
    ASSERT_TRUE(StartProgram(second));
    HWND box = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (box = VisibleWindowOf(second.Id())); },
                          20000));
    char cls[64] = {};
    GetClassNameA(box, cls, sizeof(cls));
    EXPECT_STRNE(kMainDialogClassName, cls);  // a box, not a second window
    EXPECT_EQ(STILL_ACTIVE, second.WaitExit(300));  // it waits for the user
    RECT boxRect;
    GetWindowRect(box, &boxRect);
    const std::vector<uint32_t> shown = ScreenPixels(boxRect);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(0u, second.WaitExit(20000));

    // What the box says, read off the screen: its text area as this process draws the box with
    // the "AlreadyRun" text, and unlike it with another text.
    auto textArea = [](const std::vector<uint32_t>& pixels, const RECT& window,
                       const RECT& text) {
        const int width = window.right - window.left;
        std::vector<uint32_t> area;
        for (int y = text.top; y < text.bottom; ++y)
            for (int x = text.left; x < text.right; ++x)
                area.push_back(pixels[static_cast<size_t>(y) * width + x]);
        return area;
    };
    auto ownBox = [&](const std::string& text, RECT& window, RECT& textInWindow) {
        std::vector<uint32_t> pixels;
        StepLater(400, [&] {
            KVRMessageBox* own = ShownBoxOfThisThread();
            if (!own)
                return;
            own->GetWindowRect(&window);
            POINT client = {0, 0};
            own->ClientToScreen(&client);
            textInWindow = own->TextRect();
            OffsetRect(&textInWindow, client.x - window.left, client.y - window.top);
            pixels = ScreenPixels(window);
            own->PostMessage(WM_COMMAND, IDOK, 0);
        });
        ShowKvrMessageBox(nullptr, text.c_str(), nullptr, MB_ICONINFORMATION);
        return pixels;
    };
    ASSERT_FALSE(GetLangString("AlreadyRun").empty());
    RECT ownRect = {}, textRect = {};
    const std::vector<uint32_t> alreadyRun = ownBox(GetLangString("AlreadyRun"), ownRect, textRect);
    ASSERT_EQ(boxRect.right - boxRect.left, ownRect.right - ownRect.left);
    ASSERT_EQ(boxRect.bottom - boxRect.top, ownRect.bottom - ownRect.top);
    ASSERT_GT(textRect.right - textRect.left, 0);
    ASSERT_GT(textRect.bottom - textRect.top, 0);
    EXPECT_TRUE(textArea(shown, boxRect, textRect) == textArea(alreadyRun, ownRect, textRect))
        << "the second copy's box does not show the \"AlreadyRun\" text";
    RECT otherRect = {}, otherText = {};
    const std::vector<uint32_t> other = ownBox(GetLangString("ExitNow"), otherRect, otherText);
    ASSERT_EQ(other.size(), alreadyRun.size());
    EXPECT_FALSE(textArea(other, otherRect, textRect) == textArea(alreadyRun, ownRect, textRect));
    EXPECT_FALSE(IsIconic(running));
    EXPECT_TRUE(IsWindowVisible(running));

    // Closed from outside, the first copy asks; its yes ends it.
    PostMessageA(running, WM_CLOSE, 0, 0);
    HWND question = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (question = OpenBoxOver(running)) != nullptr; }, 20000));
    EXPECT_EQ(STILL_ACTIVE, first.WaitExit(300));
    PostMessageA(question, WM_COMMAND, MessageBoxPlan::kFirstButton, 0);
    EXPECT_EQ(0u, first.WaitExit(20000));
}
