// tests/ui/results/ResultsPageWindowTest.cpp
// The page filled from a real scan: rows per category, captions, auto-select, and a removal
// into the Wine trash in which a file the shell refuses is told as failed and kept in the rows.
#include <gtest/gtest.h>

#include "ResultsPageHost.h"
#include "StandInShell.h"
#include "ui/results/CurrentFile.h"

using resultstest::PageHost;

TEST(ResultsPage, FilledFromAScanRemovesCheckedFilesAndKeepsAFileTheShellRefuses)
{
    PageHost host;
    ASSERT_NE(nullptr, host.page.GetHwnd());
    host.ScanAndHandOver();
    ResultModel& model = host.page.Model();
    ASSERT_EQ(2u, model.GroupCount()) << "the picture's and the document's copies";
    EXPECT_EQ(2, host.Roots(kCategoryAllFiles));
    EXPECT_EQ(1, host.Roots(kCategoryPhoto));
    EXPECT_EQ(1, host.Roots(kCategoryOfficeDoc));
    EXPECT_EQ(0, host.Roots(kCategoryVideo));
    EXPECT_NE(std::string::npos, host.page.TabCaption(kCategoryPhoto).find("(3)"));
    EXPECT_NE(std::string::npos, host.page.TabCaption(kCategoryVideo).find("(0)"));
    EXPECT_TRUE(host.page.Tree(kCategoryAllFiles).IsWindowVisible());
    EXPECT_FALSE(host.page.Tree(kCategoryVideo).IsWindowVisible()) << "an empty tree stays hidden";

    // Removing with nothing checked only tells so.
    host.page.OnCommand(UiCtrl::ScanResultPageWnd::kCmdRemove, 0);
    host.PumpUntil([] { return false; }, 20);
    EXPECT_EQ(1, host.page.nothingChecked);
    EXPECT_EQ(0, host.page.outcomes);

    host.page.OnCommand(UiCtrl::ScanResultPageWnd::kCmdAutoSelect, 0);
    ASSERT_EQ(3, host.page.Tree(kCategoryAllFiles).CheckedCount());
    EXPECT_FALSE(host.page.SelectionText().empty());

    // The shell refuses the checked copy of the document, as Windows does a file in use.
    std::string heldPath;
    for (ResultGroup* group : model.GroupsOf(kCategoryOfficeDoc))
        for (const ResultFile& file : group->files)
            if (file.checked)
                heldPath = file.record->FullPath();
    ASSERT_FALSE(heldPath.empty());
    resultstest::StandInShell shell;
    shell.refused.insert(heldPath);
    host.page.SetRecycleShell(&shell);
    host.page.OnCommand(UiCtrl::ScanResultPageWnd::kCmdRemove, 0);
    ASSERT_TRUE(host.PumpUntil([&] { return host.page.outcomes == 1; }));
    host.PumpUntil([] { return false; }, 20);

    EXPECT_EQ(2, host.page.told.removed);
    ASSERT_EQ(1u, host.page.told.failedPaths.size());
    EXPECT_EQ(heldPath, host.page.told.failedPaths[0]);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(heldPath.c_str()));
    const std::string trash = FixtureDir() + "\\results\\xdg\\Trash\\files\\";
    int inTrash = 0;
    for (const char* name : {"beach.jpg", "beach-copy.jpg", "beach.2.jpg"})
        inTrash += GetFileAttributesA((trash + name).c_str()) != INVALID_FILE_ATTRIBUTES ? 1 : 0;
    EXPECT_GE(inTrash, 1) << "the copies went to the trash";

    // Rows rebuilt: the picture's group is left with one file and goes; the document's stays
    // whole, its copy still checked.
    EXPECT_EQ(1, host.Roots(kCategoryAllFiles));
    EXPECT_EQ(0, host.Roots(kCategoryPhoto));
    EXPECT_EQ(1, host.Roots(kCategoryOfficeDoc));
    EXPECT_EQ(1, host.page.Tree(kCategoryAllFiles).CheckedCount());
    EXPECT_NE(std::string::npos, host.page.TabCaption(kCategoryPhoto).find("(0)"));
    EXPECT_NE(std::string::npos, host.page.TabCaption(kCategoryOfficeDoc).find("(2)"));
    EXPECT_TRUE(IsWindowEnabled(host.page.GetHwnd()));
}

TEST(ResultsPage, RemovalTakesOnlyTheVisibleTabsFilesAndBackEmptiesThePage)
{
    PageHost host;
    host.ScanAndHandOver(resultstest::ScanFolder("scan-by-tab"));
    ResultModel& model = host.page.Model();
    model.AutoSelect(kCategoryAllFiles);
    ASSERT_EQ(3, model.CheckedCount(kCategoryAllFiles));
    std::vector<std::string> docs;
    for (const FoundFileRecord* record : model.CheckedFiles(kCategoryOfficeDoc))
        docs.push_back(record->FullPath());
    ASSERT_EQ(1u, docs.size());

    // On the Photos tab, Remove takes the checked pictures only; the checked document stays.
    host.page.OnCommand(UiCtrl::ScanResultPageWnd::kCmdFirstTab, 0);
    ASSERT_EQ(kCategoryPhoto, host.page.VisibleCategory());
    host.page.OnCommand(UiCtrl::ScanResultPageWnd::kCmdRemove, 0);
    host.page.OnCommand(UiCtrl::ScanResultPageWnd::kCmdRemove, 0);  // a double click
    ASSERT_TRUE(host.PumpUntil([&] { return host.page.outcomes == 1; }));
    host.PumpUntil([] { return false; }, 20);
    EXPECT_EQ(1, host.page.outcomes) << "one removal for a double click";
    EXPECT_EQ(2, host.page.told.removed);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(docs[0].c_str()));
    EXPECT_EQ(1, model.CheckedCount(kCategoryAllFiles));
    EXPECT_FALSE(host.page.Tree(kCategoryPhoto).IsWindowVisible()) << "the emptied tab's tree is hidden";

    // Back empties everything and asks the main dialog for the start page.
    host.page.OnCommand(UiCtrl::ScanResultPageWnd::kCmdBack, 0);
    EXPECT_EQ(0u, model.GroupCount());
    EXPECT_EQ(0, host.Roots(kCategoryAllFiles));
    EXPECT_EQ(kCategoryAllFiles, host.page.VisibleCategory());
    EXPECT_TRUE(CurrentFilePath().empty());
}

TEST(ResultsPage, SelectAllBoxAndTabsKeepEachTreesMarks)
{
    PageHost host;
    host.ScanAndHandOver(resultstest::ScanFolder("gallery"));  // read only here
    host.page.OnCommand(UiCtrl::ScanResultPageWnd::kCmdFirstTab + 2, 0);  // Documents
    ASSERT_EQ(kCategoryOfficeDoc, host.page.VisibleCategory());
    RECT client;
    GetClientRect(host.page.GetHwnd(), &client);
    const RECT select = ResultPageLayout::For(client).selectBox;
    const LPARAM at = MAKELPARAM((select.left + select.right) / 2, (select.top + select.bottom) / 2);
    SendMessageA(host.page.GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(host.page.GetHwnd(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(1, host.page.Tree(kCategoryOfficeDoc).CheckedCount()) << "the box checks the visible tree";
    EXPECT_EQ(0, host.page.Tree(kCategoryPhoto).CheckedCount());
    const std::string docsText = host.page.SelectionText();
    EXPECT_FALSE(docsText.empty());

    host.page.OnCommand(UiCtrl::ScanResultPageWnd::kCmdCategoryChoice, 201);  // Photos
    EXPECT_EQ(kCategoryPhoto, host.page.VisibleCategory());
    EXPECT_TRUE(host.page.SelectionText().empty()) << "the text follows the visible tree";
    host.page.OnCommand(UiCtrl::ScanResultPageWnd::kCmdCategoryChoice, 207);  // no category
    EXPECT_EQ(kCategoryPhoto, host.page.VisibleCategory());
    host.page.OnCommand(UiCtrl::ScanResultPageWnd::kCmdFirstTab + 2, 0);
    EXPECT_EQ(docsText, host.page.SelectionText()) << "switching keeps the marks";

    SendMessageA(host.page.GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(host.page.GetHwnd(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(0, host.page.Tree(kCategoryOfficeDoc).CheckedCount()) << "a second click unchecks";
}
