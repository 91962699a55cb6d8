// tests/ui/results/ResultsPageGallery.cpp
// Photographs the results page filled from a scan, automatically selected, with the first
// group open, into gallery/results-page.png of the build folder.
#include <gtest/gtest.h>

#include <string>

#include "ResultsPageHost.h"
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
