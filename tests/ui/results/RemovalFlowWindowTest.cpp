// tests/ui/results/RemovalFlowWindowTest.cpp
// Remove on a page filled from a real scan, as a user meets it: the questions before anything
// goes (answered by clicks on the program's own box), the "Cleaning" tip with its count and
// Stop, the outcome, and the refreshed rows.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ResultsPageHost.h"
#include "ImmutableFile.h"
#include "StandInShell.h"
#include "UnusableTrash.h"
#include "tests/uikit/dialog/DialogTestEnv.h"
#include "ui/dialogs/CleaningTipDlg.h"
#include "ui/dialogs/RemoveFileFinishDlg.h"
#include "uikit/dialog/KvrMessageBox.h"
#include "uikit/dialog/MessageBoxPlan.h"

using resultstest::PageHost;
using namespace dialogtest;

namespace {

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Every 100 ms while the page's loops run: answers an open message box as answer() says
// (true: the first button, Yes or OK) and notes what it said; closes a removal notice.
class BoxAnswerer
{
public:
    explicit BoxAnswerer(std::function<bool(const std::string&)> answer) : answer_(std::move(answer)) { Arm(); }
    ~BoxAnswerer()
    {
        stopped_ = true;
        CancelPending();
    }
    std::vector<std::string> texts;
    int notices = 0;
    std::string noticeText;
    std::function<void()> extra;  // also run at every step

private:
    void Arm()
    {
        RunLater(100, [this] {
            if (stopped_)
                return;
            if (extra)
                extra();
            if (KVRMessageBox* box = FindOpenDialog<KVRMessageBox>()) {
                if (texts.empty() || texts.back() != box->Text() || box != last_) {
                    texts.push_back(box->Text());
                    last_ = box;
                    ClickClientItem(*box, answer_(box->Text()) ? MessageBoxPlan::kFirstButton
                                                                : MessageBoxPlan::kSecondButton);
                }
            } else if (RemoveFileFinishDlg* notice = FindOpenDialog<RemoveFileFinishDlg>()) {
                if (notice != lastNotice_) {
                    ++notices;
                    noticeText = notice->Text();
                    lastNotice_ = notice;
                    ClickClientItem(*notice, 100);
                }
            }
            Arm();
        });
    }
    std::function<bool(const std::string&)> answer_;
    bool stopped_ = false;
    KVRMessageBox* last_ = nullptr;
    RemoveFileFinishDlg* lastNotice_ = nullptr;
};

int TrashCount()
{
    int count = 0;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((FixtureDir() + "\\results\\xdg\\Trash\\files\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    do
        count += data.cFileName[0] != '.' ? 1 : 0;
    while (FindNextFileA(find, &data));
    FindClose(find);
    return count;
}

std::vector<std::string> CheckedPaths(ResultModel& model)
{
    std::vector<std::string> paths;
    for (const FoundFileRecord* record : model.CheckedFiles(kCategoryAllFiles))
        paths.push_back(record->FullPath());
    return paths;
}

ResultGroup* GroupNamed(ResultModel& model, const char* name)
{
    for (ResultGroup* group : model.GroupsOf(kCategoryAllFiles))
        for (const ResultFile& file : group->files)
            if (file.record->name == name)
                return group;
    return nullptr;
}

}  // namespace

TEST(RemovalFlow, AWholeGroupCheckedAsksFirstAndNoRemovesNothing)
{
    PageHost host;
    host.ScanAndHandOver(resultstest::ScanFolder("scan-whole"));
    ResultModel& model = host.page.Model();
    ResultGroup* beach = GroupNamed(model, "beach.jpg");
    ASSERT_NE(nullptr, beach);
    ASSERT_EQ(3u, beach->files.size());
    for (size_t i = 0; i < beach->files.size(); ++i)
        model.SetFileChecked(beach, i, true);
    const std::vector<std::string> checked = CheckedPaths(model);
    ASSERT_EQ(3u, checked.size());

    {
        BoxAnswerer no([](const std::string&) { return false; });
        host.page.OnCommand(UiCtrl::ScanResultPageWnd::kCmdRemove, 0);
        host.PumpUntil([&] { return !no.texts.empty(); });
        host.PumpUntil([] { return false; }, 50);
        ASSERT_EQ(1u, no.texts.size()) << "one question";
        EXPECT_NE(std::string::npos, no.texts[0].find("Every file is checked in 1 group:")) << no.texts[0];
    }
    EXPECT_EQ(0, host.page.outcomes) << "nothing was removed, so nothing is told";
    for (const std::string& path : checked)
        EXPECT_TRUE(Exists(path)) << path;
    EXPECT_EQ(3, host.page.Tree(kCategoryAllFiles).CheckedCount()) << "the files stay checked";

    // Asked again, Yes: the user said so, and every copy goes. All went to the bin: the
    // recycle-bin notice alone tells it.
    host.page.showOutcome = true;
    {
        BoxAnswerer yes([](const std::string&) { return true; });
        host.page.OnCommand(UiCtrl::ScanResultPageWnd::kCmdRemove, 0);
        ASSERT_TRUE(host.PumpUntil([&] { return host.page.outcomes == 1; }));
        EXPECT_EQ(1u, yes.texts.size()) << "the question, and no outcome message";
        EXPECT_EQ(1, yes.notices);
        EXPECT_EQ(0u, yes.noticeText.find("3 files have been moved to the recycle bin")) << yes.noticeText;
    }
    EXPECT_EQ(3, host.page.told.removed);
    for (const std::string& path : checked)
        EXPECT_FALSE(Exists(path)) << path;
}

TEST(RemovalFlow, AKeptCopyDeletedAfterTheScanKeepsItsGroupsCheckedFiles)
{
    PageHost host;
    host.ScanAndHandOver(resultstest::ScanFolder("scan-keep-gone"));
    ResultModel& model = host.page.Model();
    host.page.OnCommand(UiCtrl::ScanResultPageWnd::kCmdAutoSelect, 0);
    ResultGroup* beach = GroupNamed(model, "beach.jpg");
    ASSERT_NE(nullptr, beach);
    ASSERT_FALSE(beach->files[0].checked);
    const std::string kept = beach->files[0].record->FullPath();
    const std::string copies[] = {beach->files[1].record->FullPath(), beach->files[2].record->FullPath()};
    ASSERT_TRUE(DeleteFileA(kept.c_str()));
    host.page.showOutcome = true;

    BoxAnswerer answers([](const std::string&) { return true; });
    host.page.OnCommand(UiCtrl::ScanResultPageWnd::kCmdRemove, 0);
    ASSERT_TRUE(host.PumpUntil([&] { return host.page.outcomes == 1; }));
    host.PumpUntil([] { return false; }, 30);
    // No whole group was checked, so no question: one outcome, what went to the bin first,
    // then why the rest stayed; no separate recycle-bin notice before or after it.
    ASSERT_EQ(1u, answers.texts.size());
    const std::string& outcome = answers.texts[0];
    const size_t moved = outcome.find("1 file was moved to the recycle bin");
    const size_t stayed = outcome.find("2 checked files were not removed");
    EXPECT_TRUE(moved != std::string::npos && stayed != std::string::npos && moved < stayed) << outcome;
    EXPECT_EQ(0, answers.notices);
    for (const std::string& copy : copies)
        EXPECT_TRUE(Exists(copy)) << "the last copies stay: " << copy;
    EXPECT_EQ(2, host.page.told.Count(kRemovalNoKeptCopy));
    EXPECT_EQ(1, host.page.told.removed) << "the document's copy went";
    // The vanished file's row is gone; the two copies still make a group, still checked.
    ResultGroup* left = GroupNamed(model, "beach.jpg");
    ASSERT_NE(nullptr, left);
    EXPECT_EQ(2u, left->files.size());
    EXPECT_EQ(1, host.page.LastRefresh().changedFiles);
}

TEST(RemovalFlow, APartialFailuresRefreshDropsGoneAndChangedRows)
{
    PageHost host;
    host.ScanAndHandOver(resultstest::ScanFolder("scan-refresh"));
    ResultModel& model = host.page.Model();
    ResultGroup* pictures = GroupNamed(model, "p1.jpg");
    ASSERT_NE(nullptr, pictures);
    ASSERT_EQ(4u, pictures->files.size());
    host.page.OnCommand(UiCtrl::ScanResultPageWnd::kCmdAutoSelect, 0);
    ASSERT_EQ(3 + 2, model.CheckedCount(kCategoryAllFiles));
    // Of the three checked pictures, the shell refuses one, one is changed and one deleted
    // after the scan.
    const std::string refused = pictures->files[1].record->FullPath();
    const std::string changed = pictures->files[2].record->FullPath();
    const std::string deleted = pictures->files[3].record->FullPath();
    HANDLE file = CreateFileA(changed.c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    WriteFile(file, "edited", 6, &written, nullptr);
    CloseHandle(file);
    ASSERT_TRUE(DeleteFileA(deleted.c_str()));
    resultstest::StandInShell shell;
    shell.refused.insert(refused);
    host.page.SetRecycleShell(&shell);

    BoxAnswerer answers([](const std::string&) { return true; });
    host.page.OnCommand(UiCtrl::ScanResultPageWnd::kCmdRemove, 0);
    ASSERT_TRUE(host.PumpUntil([&] { return host.page.outcomes == 1; }));
    host.PumpUntil([] { return false; }, 30);

    const RemovalReport& told = host.page.told;
    EXPECT_EQ(2, told.removed) << "the document's two copies";
    EXPECT_EQ(1, told.Count(kRemovalRefused));
    EXPECT_EQ(2, told.Count(kRemovalChanged));
    EXPECT_TRUE(Exists(refused));
    EXPECT_TRUE(Exists(changed));
    // The refresh: the changed and the deleted row are gone, the document group has one file
    // left and goes; the pictures' kept file and the refused copy remain, the copy checked.
    EXPECT_EQ(2, host.page.LastRefresh().changedFiles);
    ASSERT_EQ(1u, model.GroupCount());
    ResultGroup* left = model.Group(0);
    ASSERT_EQ(2u, left->files.size());
    EXPECT_EQ(refused, left->files[1].record->FullPath());
    EXPECT_TRUE(left->files[1].checked);
    EXPECT_EQ(1, host.Roots(kCategoryAllFiles));
    EXPECT_EQ(0, host.Roots(kCategoryOfficeDoc));
    EXPECT_EQ(2, model.FileCount(kCategoryAllFiles));
    EXPECT_EQ(12000, model.TotalSize(kCategoryAllFiles));
    EXPECT_NE(std::string::npos, host.page.TabCaption(kCategoryPhoto).find("(2)"));
    EXPECT_NE(std::string::npos, host.page.TabCaption(kCategoryOfficeDoc).find("(0)"));
}

TEST(RemovalFlow, AFileWithoutARecycleBinIsAskedForAndNeverToldAsRestorable)
{
    PageHost host;
    host.ScanAndHandOver(resultstest::ScanFolder("scan-nobin"));
    ResultModel& model = host.page.Model();
    host.page.OnCommand(UiCtrl::ScanResultPageWnd::kCmdAutoSelect, 0);
    const std::vector<FoundFileRecord*> checked = model.CheckedFiles(kCategoryAllFiles);
    ASSERT_EQ(1u, checked.size());
    const std::string path = checked[0]->FullPath();
    resultstest::StandInShell shell;
    shell.foldersWithoutBin.insert(checked[0]->folder.str());
    host.page.SetRecycleShell(&shell);
    host.page.showOutcome = true;
    const int trashBefore = TrashCount();

    BoxAnswerer yes([](const std::string&) { return true; });
    host.page.OnCommand(UiCtrl::ScanResultPageWnd::kCmdRemove, 0);
    ASSERT_TRUE(host.PumpUntil([&] { return host.page.outcomes == 1; }, 1000));
    host.PumpUntil([] { return false; }, 30);

    ASSERT_EQ(2u, yes.texts.size()) << "the question, then the outcome";
    EXPECT_NE(std::string::npos, yes.texts[0].find("without a recycle bin")) << yes.texts[0];
    EXPECT_NE(std::string::npos, yes.texts[1].find("deleted permanently")) << yes.texts[1];
    EXPECT_EQ(0, yes.notices) << "no notice says it is in the recycle bin";
    EXPECT_EQ(0, host.page.told.removed);
    EXPECT_EQ(1, host.page.told.deletedForEver);
    EXPECT_FALSE(Exists(path));
    EXPECT_EQ(trashBefore, TrashCount()) << "not in the bin either";
    ASSERT_EQ(1u, shell.calls.size());
    EXPECT_FALSE(shell.calls[0].toRecycleBin);
}

TEST(RemovalFlow, FilesTheBinWillNotTakeAreKeptUnlessTheUserSaysDeleteThemForEver)
{
    PageHost host;
    host.ScanAndHandOver(resultstest::ScanFolder("scan-unusable"));
    ResultModel& model = host.page.Model();
    host.page.OnCommand(UiCtrl::ScanResultPageWnd::kCmdAutoSelect, 0);
    const std::vector<std::string> checked = CheckedPaths(model);
    ASSERT_EQ(2u, checked.size());
    host.page.showOutcome = true;
    const int trashBefore = TrashCount();
    resultstest::UnusableTrash trash("files");
    ASSERT_TRUE(trash.Ready());

    for (bool forEver : {false, true}) {
        BoxAnswerer answers([forEver](const std::string& text) {
            return text.find("would not take 2") == std::string::npos || forEver;
        });
        const int outcomes = host.page.outcomes;
        host.page.OnCommand(UiCtrl::ScanResultPageWnd::kCmdRemove, 0);
        ASSERT_TRUE(host.PumpUntil([&] { return host.page.outcomes == outcomes + 1; }, 1000)) << forEver;
        host.PumpUntil([] { return false; }, 30);
        ASSERT_EQ(2u, answers.texts.size()) << forEver << ": the program's question, then the outcome";
        EXPECT_NE(std::string::npos, answers.texts[0].find("recycle bin would not take 2")) << answers.texts[0];
        EXPECT_EQ(0, answers.notices) << "no notice says they are in the recycle bin";
        const RemovalReport& told = host.page.told;
        EXPECT_EQ(0, told.removed) << forEver;
        if (!forEver) {
            EXPECT_NE(std::string::npos, answers.texts[1].find("2 checked files were kept")) << answers.texts[1];
            EXPECT_EQ(2, told.Count(kRemovalBinCannotTake));
            for (const std::string& path : checked)
                EXPECT_TRUE(Exists(path)) << path;
            EXPECT_EQ(2, model.CheckedCount(kCategoryAllFiles)) << "still checked";
        } else {
            EXPECT_NE(std::string::npos, answers.texts[1].find("2 files were deleted permanently")) << answers.texts[1];
            EXPECT_EQ(2, told.deletedForEver);
            EXPECT_TRUE(told.failures.empty());
            for (const std::string& path : checked)
                EXPECT_FALSE(Exists(path)) << path;
        }
    }
    trash.Restore();
    EXPECT_EQ(trashBefore, TrashCount()) << "nothing reached the bin";
}

TEST(RemovalFlow, TheCleaningTipCountsAndStopsBetweenFiles)
{
    PageHost host;
    host.ScanAndHandOver(resultstest::ScanFolder("scan-many"));
    ResultModel& model = host.page.Model();
    host.page.OnCommand(UiCtrl::ScanResultPageWnd::kCmdAutoSelect, 0);
    const std::vector<std::string> checked = CheckedPaths(model);
    ASSERT_EQ(5u, checked.size());
    resultstest::StandInShell shell;
    shell.delayMs = 400;  // one folder a call: five calls
    host.page.SetRecycleShell(&shell);

    std::vector<std::string> counts;
    bool stopped = false;
    BoxAnswerer answers([](const std::string&) { return true; });
    answers.extra = [&] {
        CleaningTipDlg* tip = FindOpenDialog<CleaningTipDlg>();
        if (!tip)
            return;
        if (counts.empty() || counts.back() != tip->CountText())
            counts.push_back(tip->CountText());
        if (!stopped && tip->CountText() != "0 of 5 files" && !tip->CountText().empty()) {
            ClickClientItem(*tip, CleaningTipDlg::kStopButton);
            stopped = true;
        }
    };
    host.page.OnCommand(UiCtrl::ScanResultPageWnd::kCmdRemove, 0);
    ASSERT_TRUE(host.PumpUntil([&] { return host.page.outcomes == 1; }, 1000));

    ASSERT_FALSE(counts.empty());
    EXPECT_EQ("0 of 5 files", counts.front());
    EXPECT_TRUE(stopped);
    const RemovalReport& told = host.page.told;
    EXPECT_GE(told.removed, 1);
    EXPECT_LE(told.removed, 3) << "stopped after the call under way";
    EXPECT_EQ(5 - told.removed, told.Count(kRemovalStopped));
    int onDisk = 0;
    for (const std::string& path : checked)
        onDisk += Exists(path) ? 1 : 0;
    EXPECT_EQ(5 - told.removed, onDisk) << "what was removed is told as removed";
    EXPECT_EQ(5 - told.removed, model.CheckedCount(kCategoryAllFiles)) << "the rest stay checked";
}

TEST(RemovalFlow, OneFileTheBinRefusesIsTheOneNamedAndCountedInTheQuestion)
{
    PageHost host;
    host.ScanAndHandOver(resultstest::ScanFolder("scan-immutable"));
    ResultModel& model = host.page.Model();
    host.page.OnCommand(UiCtrl::ScanResultPageWnd::kCmdAutoSelect, 0);
    ResultGroup* beach = GroupNamed(model, "c0.jpg");
    ASSERT_NE(nullptr, beach);
    ASSERT_EQ(11u, beach->files.size());
    // The first checked file of the folder of ten: the shell's call for that folder stops at
    // it with nothing moved.
    std::string stuck;
    for (const ResultFile& file : beach->files)
        if (file.checked && stuck.empty() && file.record->folder.str().find("\\dup\\") != std::string::npos)
            stuck = file.record->FullPath();
    ASSERT_FALSE(stuck.empty());
    resultstest::ImmutableFile immutable(stuck);
    // Some file systems (and some folders Wine reaches) take no immutable flag: nothing to
    // refuse there, so the case cannot be shown.
    if (!immutable.Ready())
        GTEST_SKIP() << "chattr +i did not take on " << stuck;
    host.page.showOutcome = true;

    BoxAnswerer answers([](const std::string& text) { return text.find("permanently?") == std::string::npos; });
    host.page.OnCommand(UiCtrl::ScanResultPageWnd::kCmdRemove, 0);
    ASSERT_TRUE(host.PumpUntil([&] { return host.page.outcomes == 1; }, 1000));
    host.PumpUntil([] { return false; }, 30);
    ASSERT_EQ(2u, answers.texts.size()) << "the program's question, then the outcome";
    const std::string& question = answers.texts[0];
    EXPECT_NE(std::string::npos, question.find("would not take 1 of the checked files")) << question;
    EXPECT_NE(std::string::npos, question.find(stuck)) << question;
    const RemovalReport& told = host.page.told;
    EXPECT_EQ(9, told.removed);
    ASSERT_EQ(1u, told.failedPaths.size());
    EXPECT_EQ(stuck, told.failedPaths[0]);
    EXPECT_EQ(kRemovalBinCannotTake, told.failures[0]);
    EXPECT_TRUE(Exists(stuck));
    EXPECT_EQ(1, model.CheckedCount(kCategoryAllFiles)) << "the refused file stays checked";
}
