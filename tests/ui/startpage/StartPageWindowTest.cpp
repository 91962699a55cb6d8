// tests/ui/startpage/StartPageWindowTest.cpp
// The start page under Xvfb, hosted in a parent that records what it sends: drops start scans
// of real fixture trees, progress reaches the parent, the finish hands over or tells that
// nothing was found, and stop ends a long scan promptly.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>

#include "StartPageHost.h"
#include "finder/FileSource.h"
#include "finder/ScanSession.h"
#include "finder/ScanState.h"
#include "app/LangString.h"
#include "app/SafeFormat.h"
#include "app/TextCase.h"
#include "ui/chooser/SelExportPathDlg.h"
#include "tests/support/WinePath.h"

using namespace startpagetest;
using namespace UiCtrl;

namespace {

// The disk, slowed down for the large tree only, and with every folder named "locked"
// refused as a folder without access would be.
class SlowFileSource : public IFileSource {
public:
    bool ListFolder(const std::string& folder,
                    const std::function<bool(const FolderEntry&)>& onEntry) override
    {
        if (IsLarge(folder))
            Sleep(30);
        if (folder.find("\\locked") != std::string::npos)
            return false;
        return PlatformFileSource().ListFolder(folder, onEntry);
    }
    std::unique_ptr<IReadableFile> OpenRead(const std::string& path) override
    {
        if (IsLarge(path))
            Sleep(3);
        std::unique_ptr<IReadableFile> file = PlatformFileSource().OpenRead(path);
        if (file && blockReads)
            return std::unique_ptr<IReadableFile>(new BlockedFile(std::move(file), *this));
        return file;
    }

    // While set, every read of a file opened meanwhile waits until it is cleared, as a read
    // that the system never returns from would.
    std::atomic<bool> blockReads{false};
    std::atomic<int> readsWaiting{0};

private:
    class BlockedFile : public IReadableFile {
    public:
        BlockedFile(std::unique_ptr<IReadableFile> inner, SlowFileSource& source)
            : inner_(std::move(inner)), source_(source) {}
        bool ReadAt(uint64_t offset, void* buffer, uint32_t count, uint32_t* got) override
        {
            ++source_.readsWaiting;
            while (source_.blockReads)
                Sleep(5);
            --source_.readsWaiting;
            return inner_->ReadAt(offset, buffer, count, got);
        }

    private:
        std::unique_ptr<IReadableFile> inner_;
        SlowFileSource& source_;
    };

    static bool IsLarge(const std::string& path)
    {
        return path.find("\\startpage\\large") != std::string::npos;
    }
};

std::string Tree(const char* name)
{
    return FixtureDir() + "\\startpage\\" + name;
}

class StartPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        parent_ = &RecordingParent::Shared();
        parent_->Clear();
        g_scanCancelled = 0;
        page_.reset(new WatchedPage);
        // The large tree is read as from a slow disk, so that a scan of it runs for seconds.
        page_->Run().SetFileSource(&slowDisk_);
        ASSERT_TRUE(page_->CreateWin(parent_->Hwnd(), 1, 2, -1, 1198, 682, WS_VISIBLE));
        ASSERT_TRUE(page_->GetHwnd());
        PumpFor(20);
        parent_->Clear();
    }
    void TearDown() override
    {
        if (page_ && page_->IsScanning()) {
            g_scanStop = 1;
            PumpUntil([&] { return !page_->IsScanning(); }, 20000);
        }
        {
            ModalCloser closer(parent_->Hwnd());
            PumpFor(50);
        }
        page_.reset();
        g_scanCancelled = 0;
        g_scanStop = 0;
    }

    void Drop(const std::string& path)
    {
        HDROP drop = MakeDrop({path});
        SendMessageA(page_->GetHwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
        lastDrop_ = drop;
    }
    // Waits for the end of a scan: the hand-over or a notice.
    bool WaitForFinish(DWORD timeoutMs = 30000)
    {
        return PumpUntil([&] {
            return parent_->CountCommand(kCmdShowResults) > 0 || page_->notFoundShown > 0 ||
                   page_->problemsShown > 0 || page_->incompleteShown > 0;
        }, timeoutMs);
    }
    POINT Centre(int id)
    {
        RECT rect = {};
        page_->FindItem(id)->GetRect(rect);
        return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }
    bool Visible(int id) { return page_->FindItem(id) && page_->FindItem(id)->IsVisible(); }

    SlowFileSource slowDisk_;
    RecordingParent* parent_ = nullptr;
    std::unique_ptr<WatchedPage> page_;
    HDROP lastDrop_ = nullptr;
};

TEST_F(StartPageTest, IdlePageOffersTheChoices)
{
    for (int id : {kCmdFileTypeFilter, kCmdHiddenOn, kCmdSizeFilter, kCmdBrowse,
                   kCmdSimilarFilter})
        EXPECT_TRUE(Visible(id)) << id;
    EXPECT_FALSE(Visible(kCmdHiddenOff));
    EXPECT_FALSE(Visible(kCmdStopScan));
    EXPECT_EQ(0, page_->GetScanView());

    // The row of four choices is centred under the magnifier, as the line of text above it is.
    RECT first = {}, last = {}, magnifier = {};
    page_->FindItem(kCmdFileTypeFilter)->GetRect(first);
    page_->FindItem(kCmdHiddenOn)->GetRect(last);
    page_->FindItem(kCmdBrowse)->GetRect(magnifier);
    EXPECT_NEAR((first.left + last.right) / 2, (magnifier.left + magnifier.right) / 2, 1);
    EXPECT_FALSE(page_->IsScanning());
}

TEST_F(StartPageTest, DroppedFolderScansAndHandsOver)
{
    ModalCloser closer(parent_->Hwnd());
    Drop(Tree("dups"));
    // The drop block is released at once, whatever follows.
    EXPECT_EQ(0u, GlobalSize(lastDrop_));
    EXPECT_EQ(Tree("dups"), page_->GetLocation());
    ASSERT_TRUE(WaitForFinish());
    EXPECT_EQ(0, page_->notFoundShown);
    EXPECT_EQ(0, page_->problemsShown);
    EXPECT_EQ(1, parent_->CountCommand(kCmdShowResults));
    // Progress is switched off before the hand-over.
    ASSERT_FALSE(parent_->Messages().empty());
    bool offBeforeCommand = false;
    for (const auto& m : parent_->Messages()) {
        if (m.message == kTaskbarProgressMessage && m.wParam == 0 && m.lParam == 0)
            offBeforeCommand = true;
        if (m.message == WM_COMMAND && m.wParam == kCmdShowResults) {
            EXPECT_TRUE(offBeforeCommand);
            EXPECT_EQ(0, m.lParam);
        }
    }
    // The parent copies the results from here.
    const CategoryStatistics& stats = page_->GetStatistics();
    ASSERT_TRUE(stats.count(kCategoryPhoto));
    EXPECT_EQ(2, stats.at(kCategoryPhoto).fileCount);
    EXPECT_EQ(2, stats.at(kCategoryOfficeDoc).fileCount);
    FileGroupMap photos;
    page_->GetCategoryGroups(kCategoryPhoto, photos);
    EXPECT_EQ(2u, photos.size());
    FileGroupMap none;
    page_->GetCategoryGroups(9, none);
    EXPECT_TRUE(none.empty());
    EXPECT_EQ("dups", page_->GetLocationText());
    // The page keeps its scanning view until the parent resets it.
    EXPECT_EQ(1, page_->GetScanView());
    EXPECT_EQ(0, closer.Seen());
    // Until then it is busy, even with the view switched to idle by the parent's wait: a
    // second scan would replace the results being handed over.
    page_->SetScanState(0);
    EXPECT_TRUE(page_->IsBusy());
    Drop(Tree("nodups"));
    page_->OnCommand(kCmdBrowse, 0);
    PumpFor(100);
    EXPECT_EQ(Tree("dups"), page_->GetLocation());
    EXPECT_EQ(0, page_->chooserOpened);
    EXPECT_FALSE(page_->IsScanning());
    EXPECT_EQ(1, page_->Reset());
    EXPECT_FALSE(page_->IsBusy());
    page_->OnCommand(kCmdBrowse, 0);
    EXPECT_EQ(1, page_->chooserOpened);  // idle again: the chooser opens (and is cancelled)
    EXPECT_EQ(0, page_->GetScanView());
    EXPECT_TRUE(Visible(kCmdFileTypeFilter));
    FileGroupMap after;
    page_->GetCategoryGroups(kCategoryPhoto, after);
    EXPECT_TRUE(after.empty());
}

TEST_F(StartPageTest, TreeWithoutDuplicatesShowsTheNotice)
{
    ModalCloser closer(parent_->Hwnd());
    Drop(Tree("nodups"));
    ASSERT_TRUE(WaitForFinish());
    EXPECT_EQ(1, page_->notFoundShown);
    EXPECT_EQ(0, parent_->CountCommand(kCmdShowResults));
    EXPECT_GE(closer.Seen(), 1);  // a real modal window, closed by the test
    // Back to the idle view, the browse item usable again.
    EXPECT_EQ(0, page_->GetScanView());
    EXPECT_TRUE(Visible(kCmdFileTypeFilter));
    EXPECT_TRUE(Visible(kCmdSimilarFilter));
    EXPECT_FALSE(Visible(kCmdStopScan));
    EXPECT_TRUE(page_->FindItem(kCmdBrowse)->IsEnabled());
    EXPECT_TRUE(parent_->ProgressSwitchedOff());
}

TEST_F(StartPageTest, ProgressReachesTheParentAndStopEndsALongScanPromptly)
{
    ModalCloser closer(parent_->Hwnd());
    Drop(Tree("large"));
    ASSERT_TRUE(PumpUntil([&] { return page_->IsScanning(); }, 2000));
    EXPECT_EQ(1, page_->GetScanView());
    EXPECT_TRUE(Visible(kCmdStopScan));
    EXPECT_FALSE(page_->FindItem(kCmdBrowse)->IsEnabled());
    EXPECT_EQ(0, page_->Reset());  // the running scan keeps its view and containers
    EXPECT_EQ(1, page_->GetScanView());
    // The bar moves while the scan runs, whatever the drive's size: it never goes back and
    // never claims the end.
    auto highest = [&] {
        WPARAM percent = 0;
        for (const auto& m : parent_->Messages())
            if (m.message == kTaskbarProgressMessage && m.lParam == 100 && m.wParam > percent)
                percent = m.wParam;
        return percent;
    };
    ASSERT_TRUE(PumpUntil([&] { return highest() >= 2; }, 15000)) << highest();
    WPARAM last = 0;
    for (const auto& m : parent_->Messages()) {
        if (m.message == kTaskbarProgressMessage && m.lParam == 100) {
            EXPECT_GE(m.wParam, last);
            EXPECT_LE(m.wParam, 99u);
            last = m.wParam;
        }
    }
    ASSERT_TRUE(page_->IsScanning()) << "the large tree must take longer than the test needs";
    ASSERT_EQ(0, g_scanDone.load());

    PostMessageA(page_->GetHwnd(), WM_COMMAND, kCmdStopScan, 0);
    const DWORD stopped = GetTickCount();
    ASSERT_TRUE(PumpUntil([&] { return !page_->FindItem(kCmdStopScan)->IsEnabled(); }, 1000));
    ASSERT_TRUE(WaitForFinish(10000));
    const DWORD took = GetTickCount() - stopped;
    EXPECT_LT(took, 3000u);
    EXPECT_FALSE(page_->FindItem(kCmdStopScan)->IsVisible());
    EXPECT_EQ(1, page_->notFoundShown);  // nothing alike in that tree
    EXPECT_EQ(0, parent_->CountCommand(kCmdShowResults));
}

// The count line follows the finder's count of extra copies on every progress tick while the
// scan runs, and names what it counts.
TEST_F(StartPageTest, CountLineFollowsTheFindersCountLive)
{
    ModalCloser closer(parent_->Hwnd());
    Drop(Tree("large"));
    ASSERT_TRUE(PumpUntil([&] { return page_->IsScanning() && parent_->CountProgress() > 0; },
                          5000));
    for (int found : {7, 12, 4000}) {
        g_duplicatesFound = found;  // as the finder raises it when it confirms groups
        const std::string expected = FormatLangString("Analysis", found);
        ASSERT_FALSE(expected.empty());
        EXPECT_TRUE(PumpUntil([&] { return page_->FoundText() == expected; }, 1000))
            << found << ": " << page_->FoundText();
    }
    ASSERT_TRUE(page_->IsScanning()) << "the large tree must take longer than the test needs";
    EXPECT_NE(std::string::npos, page_->FoundText().find("extra copies"));
    g_scanStop = 1;
    ASSERT_TRUE(WaitForFinish(10000));
}

TEST_F(StartPageTest, DropsThatDoNothing)
{
    ModalCloser closer(parent_->Hwnd());
    // A plain file, and a path that does not exist.
    for (const std::string& path : {Tree("plain.txt"), Tree("missing-folder")}) {
        Drop(path);
        EXPECT_EQ(0u, GlobalSize(lastDrop_)) << path;
        PumpFor(150);
        EXPECT_FALSE(page_->IsScanning()) << path;
        EXPECT_EQ(0, page_->GetScanView()) << path;
        EXPECT_TRUE(page_->GetLocation().empty()) << path;
    }
    // A drop during a scan leaves the scan alone, and the page says why.
    Drop(Tree("large"));
    ASSERT_TRUE(PumpUntil([&] { return page_->IsScanning(); }, 2000));
    EXPECT_EQ("", page_->DropNote());
    Drop(Tree("dups"));
    EXPECT_EQ(0u, GlobalSize(lastDrop_));
    EXPECT_EQ(Tree("large"), page_->GetLocation());
    ASSERT_FALSE(GetLangString("DropWhileScanning").empty());
    EXPECT_EQ(GetLangString("DropWhileScanning"), page_->DropNote());
    g_scanStop = 1;
    ASSERT_TRUE(WaitForFinish(10000));
    EXPECT_EQ(Tree("large"), page_->GetLocation());
    EXPECT_EQ(0, parent_->CountCommand(kCmdShowResults));
    EXPECT_EQ(1, page_->notFoundShown);
}

TEST_F(StartPageTest, PrecisionItemTakesNoClickWhileScanning)
{
    ModalCloser closer(parent_->Hwnd());
    const POINT similar = Centre(kCmdSimilarFilter);
    ClickAt(page_->GetHwnd(), similar);
    PumpFor(50);
    EXPECT_EQ(1, page_->similarOpened);

    Drop(Tree("large"));
    ASSERT_TRUE(PumpUntil([&] { return page_->IsScanning(); }, 2000));
    EXPECT_FALSE(page_->FindItem(kCmdSimilarFilter)->IsEnabled());
    ClickAt(page_->GetHwnd(), similar);
    PostMessageA(page_->GetHwnd(), WM_COMMAND, kCmdSimilarFilter, 0);
    PumpFor(100);
    EXPECT_EQ(1, page_->similarOpened);
    g_scanStop = 1;
    ASSERT_TRUE(WaitForFinish(10000));
    EXPECT_TRUE(page_->FindItem(kCmdSimilarFilter)->IsEnabled());
}

TEST_F(StartPageTest, HiddenFilesSwitch)
{
    FilterSettings& settings = page_->GetFilterSettings();
    EXPECT_EQ(1, settings.includeHidden);
    ClickAt(page_->GetHwnd(), Centre(kCmdHiddenOn));
    PumpFor(50);
    EXPECT_EQ(0, page_->GetIncludeHiddenState());
    EXPECT_EQ(0, settings.includeHidden);
    EXPECT_FALSE(Visible(kCmdHiddenOn));
    EXPECT_TRUE(Visible(kCmdHiddenOff));
    ClickAt(page_->GetHwnd(), Centre(kCmdHiddenOff));
    PumpFor(50);
    EXPECT_EQ(1, page_->GetIncludeHiddenState());
    EXPECT_EQ(1, settings.includeHidden);
    EXPECT_TRUE(Visible(kCmdHiddenOn));
    EXPECT_FALSE(Visible(kCmdHiddenOff));
}

TEST_F(StartPageTest, BrowseStartsOnlyWithAChosenFolder)
{
    ModalCloser closer(parent_->Hwnd());
    PostMessageA(page_->GetHwnd(), WM_COMMAND, kCmdBrowse, 0);  // cancelled
    page_->chooserAnswer.clear();
    PumpFor(50);
    EXPECT_EQ(1, page_->chooserOpened);
    EXPECT_FALSE(page_->IsScanning());
    page_->chooserAnswer = "C";  // too short to name a folder
    PostMessageA(page_->GetHwnd(), WM_COMMAND, kCmdBrowse, 0);
    PumpFor(50);
    EXPECT_FALSE(page_->IsScanning());
    EXPECT_TRUE(page_->GetLocation().empty());
    page_->chooserAnswer = Tree("dups");
    PostMessageA(page_->GetHwnd(), WM_COMMAND, kCmdBrowse, 0);
    ASSERT_TRUE(WaitForFinish());
    EXPECT_EQ(3, page_->chooserOpened);
    EXPECT_EQ(1, parent_->CountCommand(kCmdShowResults));
}

// The folder chooser itself, driven from a timer while it runs modally over the page.
SelExportPathDlg* ActiveChooser()
{
    HWND active = GetActiveWindow();
    CWnd* window = active ? CWnd::FromHandlePermanent(active) : nullptr;
    return dynamic_cast<SelExportPathDlg*>(window);
}

int g_chooserStep = 0;
void CALLBACK DriveChooser(HWND, UINT, UINT_PTR, DWORD)
{
    SelExportPathDlg* chooser = ActiveChooser();
    if (!chooser)
        return;
    if (g_chooserStep == 0 && chooser->Tree().SelectFolder(Tree("dups")))
        ++g_chooserStep;
    else if (g_chooserStep == 1 && ++g_chooserStep)
        chooser->PostMessage(WM_COMMAND, SelExportPathDlg::kCmdConfirm, 0);
}

TEST_F(StartPageTest, ChosenFolderBecomesTheLocationAndIsScanned)
{
    page_->realChooser = true;
    g_chooserStep = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 150, DriveChooser);
    PostMessageA(page_->GetHwnd(), WM_COMMAND, kCmdBrowse, 0);
    const bool finished = WaitForFinish();
    KillTimer(nullptr, timer);
    ASSERT_TRUE(finished);
    EXPECT_EQ(2, g_chooserStep);
    EXPECT_EQ(LowerAscii(Tree("dups")), LowerAscii(page_->GetLocation()));
    EXPECT_EQ(LowerAscii(Tree("dups")), LowerAscii(ScanSession::Instance().GetExportPath()));
    EXPECT_EQ(1, parent_->CountCommand(kCmdShowResults));
}

TEST_F(StartPageTest, StrayFinishMessageIsIgnored)
{
    ModalCloser closer(parent_->Hwnd());
    SendMessageA(page_->GetHwnd(), kScanFinishedMessage, 0, 0);
    PumpFor(100);
    EXPECT_EQ(0, page_->notFoundShown);
    EXPECT_EQ(0, closer.Seen());
    EXPECT_TRUE(parent_->Messages().empty());
}

TEST_F(StartPageTest, NothingFoundInAPartlyReadTreeSaysWhatWasNotRead)
{
    ModalCloser closer(parent_->Hwnd());
    Drop(Tree("partial"));
    ASSERT_TRUE(WaitForFinish());
    EXPECT_EQ(1, page_->incompleteShown);
    EXPECT_EQ(1u, page_->foldersNotListed);
    EXPECT_EQ(0, page_->notFoundShown);
    EXPECT_EQ(0, parent_->CountCommand(kCmdShowResults));
    EXPECT_GE(closer.Seen(), 1);
    EXPECT_EQ(0, page_->GetScanView());
}

TEST_F(StartPageTest, UnreadableFolderIsToldAsSuch)
{
    ModalCloser closer(parent_->Hwnd());
    page_->SetLocation(Tree("missing-folder"));
    page_->StartScan();
    ASSERT_TRUE(WaitForFinish());
    EXPECT_EQ(1, page_->problemsShown);
    EXPECT_EQ(kScanProblemLocationUnreadable, page_->lastProblem);
    EXPECT_EQ(0, page_->notFoundShown);
    EXPECT_EQ(0, page_->GetScanView());
}

// A read that never returns: Stop gives the scan up within a second and says so; until that
// read returns a new scan is refused with the same word, and afterwards scans run again.
TEST_F(StartPageTest, StuckReadIsGivenUpAtStopWithAWord)
{
    ModalCloser closer(parent_->Hwnd());
    slowDisk_.blockReads = true;
    Drop(Tree("dups"));
    ASSERT_TRUE(PumpUntil([&] { return slowDisk_.readsWaiting > 0; }, 10000));
    PostMessageA(page_->GetHwnd(), WM_COMMAND, kCmdStopScan, 0);
    const DWORD stopped = GetTickCount();
    ASSERT_TRUE(WaitForFinish(3000));
    EXPECT_LE(GetTickCount() - stopped, 1000u);
    EXPECT_EQ(1, page_->problemsShown);
    EXPECT_EQ(kScanProblemAbandoned, page_->lastProblem);
    EXPECT_EQ(0, page_->GetScanView());
    EXPECT_TRUE(page_->FindItem(kCmdBrowse)->IsEnabled());
    EXPECT_EQ(0, parent_->CountCommand(kCmdShowResults));
    EXPECT_TRUE(parent_->ProgressSwitchedOff());

    page_->StartScan();
    EXPECT_EQ(2, page_->problemsShown);
    Drop(Tree("dups"));
    EXPECT_EQ(3, page_->problemsShown);
    EXPECT_EQ(0, page_->GetScanView());

    slowDisk_.blockReads = false;
    ASSERT_TRUE(PumpUntil([&] { return !page_->IsScanning(); }, 10000));
    PumpFor(200);
    EXPECT_EQ(3, page_->problemsShown);  // nothing more is told of the scan given up
    EXPECT_EQ(0, page_->notFoundShown);
    Drop(Tree("dups"));
    EXPECT_TRUE(PumpUntil([&] { return parent_->CountCommand(kCmdShowResults) == 1; }, 10000));
    EXPECT_EQ(3, page_->problemsShown);
}

TEST_F(StartPageTest, ExitWaitEndsWithTheWorker)
{
    Drop(Tree("large"));
    ASSERT_TRUE(PumpUntil([&] { return page_->IsScanning(); }, 2000));
    PumpFor(200);
    const DWORD start = GetTickCount();
    page_->StopForExit();
    EXPECT_LT(GetTickCount() - start, 5000u);
    EXPECT_EQ(1, page_->Run().m_workerEnded.load());
    // The program is closing: the page hears nothing more of the scan.
    PumpFor(200);
    EXPECT_EQ(0, page_->notFoundShown);
    EXPECT_EQ(0, parent_->CountCommand(kCmdShowResults));
    // With no worker the wait ends at once.
    page_->StopForExit();
}

TEST_F(StartPageTest, DriveLocationIsNamedByItsLetter)
{
    page_->SetLocation("C:\\");
    EXPECT_EQ("Local Disk (C:)", page_->GetLocationText());
    page_->SetLocation("C:\\Users\\Ann\\Pictures");
    EXPECT_EQ("Pictures", page_->GetLocationText());
}

} // namespace
