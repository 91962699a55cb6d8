// tests/ui/main/MainWindowScanTest.cpp
// Whole scans through the program's own main dialog and pages, as a user makes them: a
// dropped folder, the results page, its buttons clicked. Two scans of one folder keep the
// same files; Stop keeps the groups confirmed before it and says so; the progress the dialog
// hears rises and never goes back.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/LangString.h"
#include "finder/FileSource.h"
#include "finder/ScanState.h"
#include "tests/support/WinePath.h"
#include "tests/ui/startpage/StartPageHost.h"
#include "ui/dialogs/StartAnalyeDlg.h"
#include "ui/main/KvrUiDlg.h"
#include "ui/main/MainDialogClass.h"
#include "ui/results/ScanResultPageLink.h"
#include "uikit/dialog/KvrMessageBox.h"

using startpagetest::ClickAt;
using startpagetest::MakeDrop;
using startpagetest::PumpFor;
using startpagetest::PumpUntil;
using UiCtrl::ScanResultPageWnd;

namespace {

std::string Tree(const char* name)
{
    return FixtureDir() + "\\main\\" + name;
}

// The disk, with every file of the many-pairs tree slow to open, so that its comparisons
// finish one after another over seconds.
class SlowPairsSource : public IFileSource {
public:
    bool ListFolder(const std::string& folder,
                    const std::function<bool(const FolderEntry&)>& onEntry) override
    {
        return PlatformFileSource().ListFolder(folder, onEntry);
    }
    std::unique_ptr<IReadableFile> OpenRead(const std::string& path) override
    {
        if (path.find("\\main\\manypairs\\") != std::string::npos)
            Sleep(40);
        return PlatformFileSource().OpenRead(path);
    }
    bool FileSize(const std::string& path, uint64_t* size) override
    {
        return PlatformFileSource().FileSize(path, size);
    }
    std::string LongFolderName(const std::string& folder) override
    {
        return PlatformFileSource().LongFolderName(folder);
    }
};

// The program's main dialog with its real pages, recording the progress it is told.
class WatchedMainDialog : public CKVRUIDlg {
public:
    WatchedMainDialog()
        : CKVRUIDlg(nullptr, std::unique_ptr<UiCtrl::SelFileTypeWnd>(new UiCtrl::SelFileTypeWnd),
                    MakeScanResultPage())
    {
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == UiCtrl::kTaskbarProgressMessage && lParam == 100)
            percents.push_back(static_cast<int>(wParam));
        return CKVRUIDlg::WindowProc(message, wParam, lParam);
    }
    ScanResultPageWnd& Results() { return static_cast<ScanResultPageLink&>(ResultsPage()).Page(); }

    std::vector<int> percents;  // the running percentages (lParam 100), in order
};

// The text of each wait dialog shown on this thread while the watch runs, read from the
// dialog on screen by a thread timer (it fires inside the dialog's own modal loop).
// Every wait dialog this thread shows, with its text, caught as it is shown: a hand-over of
// a few groups can close it sooner than any poll would look.
class WaitDialogWatch {
public:
    WaitDialogWatch() { hook_ = SetWindowsHookExA(WH_CALLWNDPROC, Look, nullptr, GetCurrentThreadId()); }
    ~WaitDialogWatch() { UnhookWindowsHookEx(hook_); }
    static std::vector<std::string>& Texts()
    {
        static std::vector<std::string> texts;
        return texts;
    }

private:
    static LRESULT CALLBACK Look(int code, WPARAM wParam, LPARAM lParam)
    {
        const CWPSTRUCT* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION) {
            const bool shown = message->message == WM_WINDOWPOSCHANGED &&
                               (reinterpret_cast<const WINDOWPOS*>(message->lParam)->flags & SWP_SHOWWINDOW);
            if (shown && Shown().insert(message->hwnd).second) {
                if (auto* wait = dynamic_cast<StartAnalyeDlg*>(CWnd::FromHandlePermanent(message->hwnd)))
                    Texts().push_back(wait->Text());
            } else if (message->message == WM_DESTROY) {
                Shown().erase(message->hwnd);
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static std::set<HWND>& Shown()
    {
        static std::set<HWND> windows;
        return windows;
    }
    HHOOK hook_;
};

// Full path -> checked, over every group the results page holds.
typedef std::map<std::string, bool> CheckedSet;

class MainWindowScan : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_scanStop = 0;
        g_scanCancelled = 0;
        dialog_.reset(new WatchedMainDialog);
        ASSERT_TRUE(dialog_->Create(kMainDialogTemplateId, nullptr));
        dialog_->ShowWindow(SW_SHOW);
        dialog_->StartPage().Run().SetFileSource(&slowDisk_);
        PumpFor(50);
    }
    void TearDown() override
    {
        if (dialog_->StartPage().IsScanning()) {
            g_scanStop = 1;
            PumpUntil([&] { return !dialog_->StartPage().IsScanning(); }, 20000);
        }
        if (dialog_->GetSafeHwnd())
            dialog_->DestroyWindow();
        dialog_.reset();
        PumpFor(20);
        g_scanStop = 0;
    }

    HWND ResultsHwnd() { return dialog_->Results().GetHwnd(); }
    bool OnResults() { return dialog_->CurrentPage() == ResultsHwnd(); }
    bool OnStart() { return dialog_->CurrentPage() == dialog_->StartPage().GetHwnd(); }

    // Drops a folder on the start page and waits for the results page.
    bool ScanToResults(const std::string& folder)
    {
        dialog_->StartPage().OnDropFiles(MakeDrop({folder}));
        return PumpUntil([&] { return OnResults(); }, 60000);
    }
    // Clicks a button of the results page where the user sees it.
    void ClickResultsButton(int id)
    {
        UiCtrl::UiItem* item = dialog_->Results().FindItem(id);
        ASSERT_NE(nullptr, item) << id;
        ASSERT_TRUE(item->IsVisible()) << id;
        const RECT r = item->Rect();
        ClickAt(ResultsHwnd(), POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
        PumpFor(50);
    }
    CheckedSet Checked()
    {
        CheckedSet set;
        ResultModel& model = dialog_->Results().Model();
        for (size_t g = 0; g < model.GroupCount(); ++g)
            for (const ResultFile& file : model.Group(g)->files)
                set[file.record->FullPath()] = file.checked;
        return set;
    }

    SlowPairsSource slowDisk_;
    std::unique_ptr<WatchedMainDialog> dialog_;
};

} // namespace

// Walker threads meet the copies in any order; which copy auto-select keeps must not depend
// on it. In every group the oldest copy stays, ties going to the shorter path, then to the
// first in path order.
TEST_F(MainWindowScan, TwoScansOfOneFolderKeepTheSameOldestCopies)
{
    const std::string root = Tree("keeporder") + "\\";
    const std::vector<std::string> kept = {
        root + "archive\\old\\report (copy).txt",  // oldest, with the longest path
        root + "zz\\backup\\photo.jpg",            // oldest, last in path order
        root + "tie\\zz.dat",                      // same time: the shorter path
        root + "same\\a1.bin",                     // same time and length: path order
    };
    CheckedSet first;
    for (int scan = 0; scan < 2; ++scan) {
        SCOPED_TRACE(scan == 0 ? "first scan" : "second scan");
        ASSERT_TRUE(ScanToResults(Tree("keeporder")));
        ResultModel& model = dialog_->Results().Model();
        ASSERT_EQ(4u, model.GroupCount());
        EXPECT_EQ(0, model.CheckedCount(0));
        EXPECT_EQ(0, dialog_->Results().VisibleCategory());
        ClickResultsButton(ScanResultPageWnd::kCmdAutoSelect);

        const CheckedSet checked = Checked();
        ASSERT_EQ(10u, checked.size());
        for (const std::string& path : kept) {
            ASSERT_TRUE(checked.count(path)) << path;
            EXPECT_FALSE(checked.at(path)) << path;
        }
        // One unchecked file per group, and it is the group's oldest.
        for (size_t g = 0; g < model.GroupCount(); ++g) {
            const ResultGroup& group = *model.Group(g);
            const ResultFile* unchecked = nullptr;
            for (const ResultFile& file : group.files) {
                if (!file.checked) {
                    EXPECT_EQ(nullptr, unchecked) << "two files kept in group " << g;
                    unchecked = &file;
                }
            }
            ASSERT_NE(nullptr, unchecked) << "every file of group " << g << " checked";
            for (const ResultFile& file : group.files)
                EXPECT_LE(unchecked->record->time, file.record->time) << file.record->FullPath();
        }
        if (scan == 0)
            first = checked;
        else
            EXPECT_EQ(first, checked);

        ClickResultsButton(ScanResultPageWnd::kCmdBack);
        ASSERT_TRUE(PumpUntil([&] { return OnStart(); }, 5000));
        EXPECT_EQ(0u, dialog_->Results().Model().GroupCount());
    }
}

// A folder dropped on the results page starts its scan, as on the start page; a file dropped
// there is refused with the reason, and the results stay.
TEST_F(MainWindowScan, ADropOnTheResultsPageScansThatFolderOrSaysWhyNot)
{
    ASSERT_TRUE(ScanToResults(Tree("keeporder")));
    ASSERT_EQ(4u, dialog_->Results().Model().GroupCount());

    // The box is modal: a thread timer reads and closes it from inside its loop.
    static std::string told;
    told.clear();
    struct Answer {
        static BOOL CALLBACK Visit(HWND window, LPARAM)
        {
            auto* box = dynamic_cast<KVRMessageBox*>(CWnd::FromHandlePermanent(window));
            if (!box || !IsWindowVisible(window))
                return TRUE;
            told = box->Text();
            box->EndDialog(1);
            return FALSE;
        }
        static void CALLBACK Fire(HWND, UINT, UINT_PTR, DWORD) { EnumThreadWindows(GetCurrentThreadId(), Visit, 0); }
    };
    const UINT_PTR timer = SetTimer(nullptr, 0, 300, Answer::Fire);
    SendMessageA(ResultsHwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({Tree("keeporder") + "\\alone.txt"})), 0);
    KillTimer(nullptr, timer);
    EXPECT_EQ(GetLangString("DropNotFolder"), told);
    EXPECT_TRUE(OnResults());
    EXPECT_EQ(4u, dialog_->Results().Model().GroupCount());

    SendMessageA(ResultsHwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({Tree("keeporder") + "\\tie"})), 0);
    EXPECT_TRUE(PumpUntil([&] { return OnResults() && dialog_->Results().Model().GroupCount() == 1; }, 60000));
    ASSERT_EQ(1u, dialog_->Results().Model().GroupCount());
    EXPECT_EQ(Tree("keeporder") + "\\tie\\", dialog_->Results().Model().Group(0)->files[0].record->folder.str());
}

// Maximised on the results page, Back shows the start page in its own size; the next results
// come maximised again.
TEST_F(MainWindowScan, AMaximisedWindowStaysMaximisedAfterBackAndANewScan)
{
    ASSERT_TRUE(ScanToResults(Tree("keeporder")));
    dialog_->SendMessage(WM_COMMAND, kCaptionMaximise, 0);
    ASSERT_TRUE(dialog_->IsMaximised());
    RECT maximised = {};
    dialog_->GetWindowRect(&maximised);

    ClickResultsButton(ScanResultPageWnd::kCmdBack);
    ASSERT_TRUE(PumpUntil([&] { return OnStart(); }, 5000));
    RECT start = {};
    dialog_->GetWindowRect(&start);
    EXPECT_EQ(kMainWidth, start.right - start.left);
    EXPECT_EQ(kMainHeight, start.bottom - start.top);

    ASSERT_TRUE(ScanToResults(Tree("keeporder")));
    EXPECT_TRUE(dialog_->IsMaximised());
    RECT again = {};
    dialog_->GetWindowRect(&again);
    EXPECT_TRUE(EqualRect(&maximised, &again));
    // Restore on the results page and Back again: the window is not maximised by the next results.
    dialog_->SendMessage(WM_COMMAND, kCaptionRestore, 0);
    ClickResultsButton(ScanResultPageWnd::kCmdBack);
    ASSERT_TRUE(PumpUntil([&] { return OnStart(); }, 5000));
    ASSERT_TRUE(ScanToResults(Tree("keeporder")));
    EXPECT_FALSE(dialog_->IsMaximised());
}

// Stop while the pairs are still being compared: the pairs confirmed before it are shown with
// the note that the scan was stopped, the wait dialog before them says it was stopped, and
// the start page takes the next folder.
TEST_F(MainWindowScan, StopShowsTheGroupsFoundAndSaysTheScanWasStopped)
{
    WaitDialogWatch watch;
    WaitDialogWatch::Texts().clear();
    UiCtrl::SelFileTypeWnd& start = dialog_->StartPage();
    start.OnDropFiles(MakeDrop({Tree("manypairs")}));
    // A quarter of the bytes compared: some pairs are confirmed, most are still to come.
    ASSERT_TRUE(PumpUntil([&] {
        return g_scanPhase == kPhaseComparing && g_scanBytesToCompare > 0 &&
               g_scanBytesCompared * 4 >= g_scanBytesToCompare;
    }, 30000));
    ASSERT_TRUE(start.IsScanning());
    PostMessageA(start.GetHwnd(), WM_COMMAND, UiCtrl::kCmdStopScan, 0);
    ASSERT_TRUE(PumpUntil([&] { return OnResults(); }, 15000));

    ResultModel& model = dialog_->Results().Model();
    EXPECT_GE(model.GroupCount(), 1u);
    EXPECT_LT(model.GroupCount(), 80u) << "the stop came after every pair was compared";
    for (size_t g = 0; g < model.GroupCount(); ++g)
        EXPECT_EQ(2u, model.Group(g)->files.size()) << g;
    EXPECT_EQ(static_cast<int>(2 * model.GroupCount()), model.FileCount(0));
    EXPECT_TRUE(dialog_->Results().Outcome().stopped);
    const std::string stoppedNote = GetLangString("ScanStoppedNote");
    ASSERT_FALSE(stoppedNote.empty());
    EXPECT_NE(std::string::npos, dialog_->Results().OutcomeNote().find(stoppedNote));
    ASSERT_FALSE(GetLangString("StartAnalyeStopped").empty());
    EXPECT_EQ(std::vector<std::string>{GetLangString("StartAnalyeStopped")},
              WaitDialogWatch::Texts());

    // Back on the start page it is idle: the next drop scans, and its results tell no stop.
    ClickResultsButton(ScanResultPageWnd::kCmdBack);
    ASSERT_TRUE(PumpUntil([&] { return OnStart(); }, 5000));
    EXPECT_FALSE(start.IsBusy());
    EXPECT_EQ(0, start.GetScanView());
    ASSERT_TRUE(ScanToResults(Tree("keeporder")));
    EXPECT_EQ(Tree("keeporder"), start.GetLocation());
    EXPECT_EQ(4u, model.GroupCount());
    EXPECT_FALSE(dialog_->Results().Outcome().stopped);
    EXPECT_EQ("", dialog_->Results().OutcomeNote());
    ASSERT_EQ(2u, WaitDialogWatch::Texts().size());
    EXPECT_EQ(GetLangString("StartAnalyeText"), WaitDialogWatch::Texts()[1]);
}

// A folder on a large drive: the percentage the dialog is told rises above 0 while the folder
// is scanned and never goes back, and stays below 100 until the worker says it is done.
TEST_F(MainWindowScan, ProgressRisesDuringAFolderScanAndNeverGoesBack)
{
    ASSERT_TRUE(ScanToResults(Tree("manypairs")));
    EXPECT_EQ(80u, dialog_->Results().Model().GroupCount());
    const std::vector<int>& percents = dialog_->percents;
    ASSERT_GE(percents.size(), 5u) << "the scan took too few ticks to watch";
    int highest = 0;
    for (size_t i = 0; i < percents.size(); ++i) {
        EXPECT_GE(percents[i], i ? percents[i - 1] : 0) << "at tick " << i;
        EXPECT_LE(percents[i], 99) << "at tick " << i;
        highest = std::max(highest, percents[i]);
    }
    EXPECT_GT(highest, 0);
    // It moves over the scan rather than jumping at its end.
    EXPECT_GT(percents[percents.size() / 2], 0);
}
