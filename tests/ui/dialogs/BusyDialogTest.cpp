// tests/ui/dialogs/BusyDialogTest.cpp
// The wait dialog and the busy tip end within a few ticks of their worker's flag and never
// before it, whichever way a close is asked for meanwhile.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

#include "finder/ScanState.h"
#include "tests/uikit/dialog/DialogTestEnv.h"
#include "ui/dialogs/CleaningTipDlg.h"
#include "ui/dialogs/CommonTipDlg.h"
#include "ui/dialogs/StartAnalyeDlg.h"

using namespace dialogtest;

namespace {

enum class Kind { Wait, Tip, Cleaning };
enum class Close { None, WmClose, AltF4, SysClose, CancelCommand, OkCommand, Keys, CloseItem };

const char* Name(Close c)
{
    switch (c) {
    case Close::None: return "none";
    case Close::WmClose: return "WM_CLOSE";
    case Close::AltF4: return "Alt+F4";
    case Close::SysClose: return "SC_CLOSE";
    case Close::CancelCommand: return "IDCANCEL";
    case Close::OkCommand: return "IDOK";
    case Close::Keys: return "Esc and Enter";
    case Close::CloseItem: return "close item";
    }
    return "?";
}

std::unique_ptr<BusyWaitDialog> Make(Kind kind, std::atomic<int>* flag)
{
    if (kind == Kind::Wait)
        return std::make_unique<StartAnalyeDlg>(nullptr, flag);
    if (kind == Kind::Cleaning) {
        static std::atomic<int> done{0}, stop{0};
        return std::make_unique<CleaningTipDlg>(nullptr, &done, 10, &stop, flag);
    }
    return std::make_unique<CommonTipDlg>(nullptr, "Removing the checked files...", flag);
}

void Ask(BusyWaitDialog& dlg, Close how)
{
    HWND hwnd = dlg.m_hWnd;
    switch (how) {
    case Close::None: break;
    case Close::WmClose: PostMessageA(hwnd, WM_CLOSE, 0, 0); break;
    case Close::AltF4: PostAltF4(hwnd); break;
    case Close::SysClose: PostMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0); break;
    case Close::CancelCommand: PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0); break;
    case Close::OkCommand: PostMessageA(hwnd, WM_COMMAND, IDOK, 0); break;
    case Close::Keys:
        PostKey(hwnd, VK_ESCAPE);
        PostKey(hwnd, VK_RETURN);
        break;
    case Close::CloseItem:
        // The tip hides its close item: then only a stray command can ask.
        ClickCaptionItem(dlg, 148);
        PostMessageA(hwnd, WM_COMMAND, 148, 0);
        break;
    }
}

} // namespace

TEST(BusyDialogs, StayUntilTheFlagAndCloseWithinAFewTicksOfIt)
{
    const Close asks[] = {Close::None,          Close::WmClose,   Close::AltF4,
                          Close::SysClose,      Close::CancelCommand, Close::OkCommand,
                          Close::Keys,          Close::CloseItem};
    for (Kind kind : {Kind::Wait, Kind::Tip, Kind::Cleaning}) {
        for (Close how : asks) {
            SCOPED_TRACE(testing::Message() << (kind == Kind::Wait ? "wait " : kind == Kind::Tip ? "tip " : "cleaning ")
                                            << Name(how));
            std::atomic<int> done{0};
            std::unique_ptr<BusyWaitDialog> dlg = Make(kind, &done);
            std::atomic<DWORD> setAt{0};
            // The worker: it finishes a while after the dialog opened.
            std::thread worker([&] {
                Sleep(600);
                setAt = GetTickCount();
                done = 1;
            });
            bool openBeforeFlag = false;
            RunLater(200, [&] { Ask(*dlg, how); });
            RunLater(500, [&] { openBeforeFlag = dlg->m_hWnd && IsWindowVisible(dlg->m_hWnd); });
            RunLater(6000, [&] { dlg->EndDialog(-99); });
            const INT_PTR result = dlg->DoModal();
            const DWORD endedAt = GetTickCount();
            worker.join();
            CancelPending();
            EXPECT_TRUE(openBeforeFlag);
            EXPECT_EQ(result, 2);
            ASSERT_NE(setAt.load(), 0u);
            EXPECT_GE(endedAt, setAt.load());
            // A few 100 ms ticks; the bound is loose because a loaded machine delays timers.
            EXPECT_LE(endedAt - setAt.load(), 2000u);
        }
    }
}

TEST(BusyDialogs, AFlagSetBeforehandClosesAtTheFirstTick)
{
    std::atomic<int> done{1};
    CommonTipDlg tip(nullptr, "Refreshing the list...", &done);
    RunLater(3000, [&] { tip.EndDialog(-99); });
    EXPECT_EQ(tip.DoModal(), 2);
    EXPECT_EQ(tip.Ticks(), 1);
    CancelPending();

    // The wait dialog waits for the scan state's results-ready flag unless told otherwise.
    g_resultsReady = 1;
    StartAnalyeDlg wait(nullptr);
    RunLater(3000, [&] { wait.EndDialog(-99); });
    EXPECT_EQ(wait.DoModal(), 2);
    EXPECT_EQ(wait.Ticks(), 1);
    g_resultsReady = 0;
}

TEST(BusyDialogs, TheTipHasNoCloseItemAndNoTitle)
{
    std::atomic<int> done{0};
    CommonTipDlg tip(nullptr, "Stopping the scan...", &done);
    bool closeShown = true, closeEnabled = true;
    int titleLength = -1;
    UINT frames = 0, framesSeen = 0;
    RunLater(350, [&] {
        UiCtrl::UiItem* close = tip.FindCaptionItem(148);
        closeShown = close && close->IsVisible();
        closeEnabled = close && close->IsEnabled();
        titleLength = tip.GetWindowTextLength();
        frames = tip.FrameCount();
        framesSeen = tip.FrameIndex();
        done = 1;
    });
    RunLater(3000, [&] { tip.EndDialog(-99); });
    EXPECT_EQ(tip.DoModal(), 2);
    EXPECT_FALSE(closeShown);
    EXPECT_FALSE(closeEnabled);
    EXPECT_EQ(titleLength, 0);
    EXPECT_GT(frames, 1u);
    EXPECT_GT(framesSeen, 0u);   // the picture moves
}

TEST(BusyDialogs, TheCleaningTipCountsAndItsStopAsksTheWorkerWithoutClosing)
{
    std::atomic<int> done{0}, stop{0}, finished{0};
    CleaningTipDlg tip(nullptr, &done, 7, &stop, &finished);
    std::string before, after;
    bool openAfterStop = false, stopEnabled = true;
    RunLater(300, [&] {
        before = tip.CountText();
        done = 3;
    });
    RunLater(700, [&] {
        after = tip.CountText();
        ClickClientItem(tip, CleaningTipDlg::kStopButton);
    });
    RunLater(1200, [&] {
        openAfterStop = tip.m_hWnd && IsWindowVisible(tip.m_hWnd);
        UiCtrl::UiItem* button = tip.FindClientItem(CleaningTipDlg::kStopButton);
        stopEnabled = button && button->IsEnabled();
        finished = 1;  // the worker saw the stop and ended
    });
    RunLater(5000, [&] { tip.EndDialog(-99); });
    EXPECT_EQ(tip.DoModal(), 2);
    CancelPending();
    EXPECT_EQ("0 of 7 files", before);
    EXPECT_EQ("3 of 7 files", after) << "the count follows the worker";
    EXPECT_EQ(1, stop.load());
    EXPECT_TRUE(openAfterStop) << "only the worker ends the tip";
    EXPECT_FALSE(stopEnabled);
}
