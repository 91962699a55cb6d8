// tests/ui/results/ResultsPageGallery.cpp
// Photographs the results page into gallery/ of the build folder, in English and in German:
// results-page-<language>.png filled from a scan with a look-alike group open, automatically
// selected, the tabs, and the note of a stopped scan; results-dropdown-<language>.png with the
// category drop-down open; results-icon-<language>.png with a file that is no picture
// previewed by its jumbo icon.
// And the removal's question before a whole group goes (removal-last-copy-question.png)
// and its "Cleaning" tip with the count (removal-cleaning-tip.png).
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ResultsPageHost.h"
#include "StandInShell.h"
#include "app/Language.h"
#include "app/ResourceHelper.h"
#include "tests/support/GalleryCapture.h"
#include "tests/uikit/dialog/DialogTestEnv.h"
#include "ui/dialogs/CleaningTipDlg.h"
#include "ui/results/CurrentFile.h"
#include "uikit/dialog/KvrMessageBox.h"
#include "uikit/dialog/MessageBoxPlan.h"

using resultstest::PageHost;

namespace {

void Shoot(PageHost& host, const std::string& name)
{
    RedrawWindow(host.Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    host.PumpUntil([] { return false; }, 30);
    std::string path = ToWinePath(std::string(RESULTS_GALLERY_DIR) + "/" + name + ".png");
    DeleteFileA(path.c_str());
    std::wstring wide(path.begin(), path.end());
    EXPECT_TRUE(SaveScreenArea(host.Window(), wide)) << name;
}

void ShootLanguage(const std::string& stem)
{
    PageHost host;
    ASSERT_NE(nullptr, host.page.GetHwnd());
    host.ScanAndHandOver(resultstest::ScanFolder("gallery"));
    resultstest::LookAlikeFiles look;
    host.page.FillCategory(kCategoryPhoto, look.groups);
    ScanOutcome outcome;
    outcome.stopped = true;
    outcome.unlistableFolders = 1;
    outcome.unreadableFiles = 2;
    host.page.SetScanOutcome(outcome);
    host.page.OnShow();
    host.ClickWidget(UiCtrl::ScanResultPageWnd::kCmdFirstTab);  // Photos
    host.ClickWidget(UiCtrl::ScanResultPageWnd::kCmdAutoSelect);
    FileTreeCtrl& tree = host.page.Tree(kCategoryPhoto);
    HTREEITEM lookAlike = tree.GroupItem(1);
    ASSERT_TRUE(tree.FillGroup(lookAlike));
    tree.Expand(lookAlike, TVE_EXPAND);
    tree.SelectItem(tree.GetChildItem(lookAlike));
    tree.UpdateCurrentFile();
    host.page.Repaint();
    Shoot(host, "results-page-" + stem);

    host.ClickWidget(UiCtrl::ScanResultPageWnd::kCmdDropDown);
    Shoot(host, "results-dropdown-" + stem);
    ShowWindow(host.page.DropDown().GetHwnd(), SW_HIDE);

    CurrentFilePath() = look.notes.FullPath();
    CurrentFileRecord() = &look.notes;
    host.page.Repaint();
    Shoot(host, "results-icon-" + stem);
}

}  // namespace

TEST(ResultsPageGallery, LookAlikesTabsDropDownAndIconInTwoLanguages)
{
    const struct { int index; const char* stem; } languages[] = {{0, "English"}, {2, "Deutsch"}};
    for (const auto& language : languages) {
        ASSERT_GT(ResourceHelper::Instance().SetLanguage(language.index, LanguageFileOf(language.index)), 0);
        ShootLanguage(language.stem);
    }
    ResourceHelper::Instance().SetLanguage(0, LanguageFileOf(0));
}

namespace {

std::wstring GalleryFile(const char* name)
{
    std::string path = ToWinePath(std::string(RESULTS_GALLERY_DIR) + "/" + name);
    DeleteFileA(path.c_str());
    return std::wstring(path.begin(), path.end());
}

// Runs step every 100 ms inside whatever loop runs, until it returns true.
void Every100Ms(std::function<bool()> step)
{
    RunLater(100, [step] {
        if (!step())
            Every100Ms(step);
    });
}

// Once a message box is up: photographs the page's window with it into file, then answers
// with button. shot turns true when the picture is saved.
void ShootMessageBoxThenAnswer(HWND window, const char* file, int button, bool& shot)
{
    Every100Ms([window, file, button, &shot] {
        KVRMessageBox* box = dialogtest::FindOpenDialog<KVRMessageBox>();
        if (!box)
            return false;
        box->UpdateWindow();
        dialogtest::Settle(300);
        shot = SaveScreenArea(window, GalleryFile(file));
        dialogtest::ClickClientItem(*box, button);
        return true;
    });
}

}  // namespace

TEST(ResultsPageGallery, TheLastCopyQuestion)
{
    PageHost host;
    host.ScanAndHandOver(resultstest::ScanFolder("gallery-whole"));
    ResultModel& model = host.page.Model();
    for (ResultGroup* group : model.GroupsOf(kCategoryPhoto))
        for (size_t i = 0; i < group->files.size(); ++i)
            model.SetFileChecked(group, i, true);
    host.page.OnSelectionChanged();
    HWND window = GetParent(host.page.GetHwnd());
    bool shot = false;
    // No: nothing goes.
    ShootMessageBoxThenAnswer(window, "removal-last-copy-question.png", MessageBoxPlan::kSecondButton, shot);
    host.page.OnCommand(UiCtrl::ScanResultPageWnd::kCmdRemove, 0);
    host.PumpUntil([&] { return shot; });
    host.PumpUntil([] { return false; }, 30);
    CancelPending();
    EXPECT_TRUE(shot);
}

TEST(ResultsPageGallery, TheCleaningTipWithItsCount)
{
    PageHost host;
    host.ScanAndHandOver(resultstest::ScanFolder("gallery-many"));
    host.page.OnCommand(UiCtrl::ScanResultPageWnd::kCmdAutoSelect, 0);
    resultstest::StandInShell shell;
    shell.delayMs = 500;
    host.page.SetRecycleShell(&shell);
    HWND window = GetParent(host.page.GetHwnd());
    bool shot = false;
    Every100Ms([&] {
        CleaningTipDlg* tip = dialogtest::FindOpenDialog<CleaningTipDlg>();
        if (!tip || tip->CountText().empty() || tip->CountText()[0] == '0')
            return false;
        tip->UpdateWindow();
        shot = SaveScreenArea(window, GalleryFile("removal-cleaning-tip.png"));
        return true;
    });
    host.page.OnCommand(UiCtrl::ScanResultPageWnd::kCmdRemove, 0);
    host.PumpUntil([&] { return host.page.outcomes == 1; }, 1000);
    CancelPending();
    EXPECT_TRUE(shot);
}

TEST(ResultsPageGallery, OneOutcomeOfManyLines)
{
    // The kept picture deleted after the scan: the document's copy goes, the pictures stay,
    // and one message of several lines tells both.
    PageHost host;
    host.ScanAndHandOver(resultstest::ScanFolder("gallery-outcome"));
    host.page.OnCommand(UiCtrl::ScanResultPageWnd::kCmdAutoSelect, 0);
    for (ResultGroup* group : host.page.Model().GroupsOf(kCategoryPhoto))
        ASSERT_TRUE(DeleteFileA(group->files[0].record->FullPath().c_str()));
    host.page.showOutcome = true;
    HWND window = GetParent(host.page.GetHwnd());
    bool shot = false;
    ShootMessageBoxThenAnswer(window, "removal-outcome.png", MessageBoxPlan::kFirstButton, shot);
    host.page.OnCommand(UiCtrl::ScanResultPageWnd::kCmdRemove, 0);
    host.PumpUntil([&] { return host.page.outcomes == 1; }, 1000);
    CancelPending();
    EXPECT_TRUE(shot);
}
