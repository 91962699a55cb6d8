// tests/ui/results/ResultsPageGallery.cpp
// Photographs the results page filled from a scan, automatically selected, with the first
// group open, into gallery/results-page.png of the build folder; and the removal's question
// before a whole group goes (removal-last-copy-question.png) and its "Cleaning" tip with the
// count (removal-cleaning-tip.png).
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ResultsPageHost.h"
#include "StandInShell.h"
#include "tests/uikit/dialog/DialogTestEnv.h"
#include "ui/dialogs/CleaningTipDlg.h"
#include "uikit/dialog/KvrMessageBox.h"
#include "uikit/dialog/MessageBoxPlan.h"
#include "tests/support/GalleryCapture.h"

using resultstest::PageHost;

TEST(ResultsPageGallery, FilledAndSelected)
{
    PageHost host;
    ASSERT_NE(nullptr, host.page.GetHwnd());
    host.ScanAndHandOver(resultstest::ScanFolder("gallery"));
    host.page.OnCommand(UiCtrl::ScanResultPageWnd::kCmdAutoSelect, 0);
    FileTreeCtrl& tree = host.page.Tree(kCategoryAllFiles);
    HTREEITEM first = tree.GroupItem(0);
    ASSERT_TRUE(tree.FillGroup(first));
    tree.Expand(first, TVE_EXPAND);
    tree.SelectItem(tree.GetChildItem(first));
    tree.UpdateCurrentFile();
    host.page.Repaint();
    RedrawWindow(GetParent(host.page.GetHwnd()), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    host.PumpUntil([] { return false; }, 30);
    std::string path = ToWinePath(std::string(RESULTS_GALLERY_DIR) + "/results-page.png");
    DeleteFileA(path.c_str());
    std::wstring wide(path.begin(), path.end());
    EXPECT_TRUE(SaveScreenArea(GetParent(host.page.GetHwnd()), wide));
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
    Every100Ms([&] {
        KVRMessageBox* box = dialogtest::FindOpenDialog<KVRMessageBox>();
        if (!box)
            return false;
        box->UpdateWindow();
        dialogtest::Settle(300);
        shot = SaveScreenArea(window, GalleryFile("removal-last-copy-question.png"));
        dialogtest::ClickClientItem(*box, MessageBoxPlan::kSecondButton);  // No: nothing goes
        return true;
    });
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
