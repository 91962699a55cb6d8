// tests/ui/results/ResultsPageGallery.cpp
// Photographs the results page into gallery/ of the build folder, in English and in German:
// results-page-<language>.png filled from a scan with a look-alike group open, automatically
// selected, the tabs, and the note of a stopped scan; results-dropdown-<language>.png with the
// category drop-down open; results-icon-<language>.png with a file that is no picture
// previewed by its jumbo icon.
#include <gtest/gtest.h>

#include <string>

#include "ResultsPageHost.h"
#include "app/Language.h"
#include "app/ResourceHelper.h"
#include "tests/support/GalleryCapture.h"
#include "ui/results/CurrentFile.h"

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
