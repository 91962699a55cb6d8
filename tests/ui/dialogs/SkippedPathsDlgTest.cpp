// tests/ui/dialogs/SkippedPathsDlgTest.cpp
// The list of skipped folders and files: folders first, then files, each by its whole path,
// "and N more" where only the first were kept, a section only for what was skipped; its
// button ends it, Esc and Enter do not.
#include <gtest/gtest.h>

#include <string>

#include "tests/uikit/dialog/DialogTestEnv.h"
#include "ui/dialogs/SkippedPathsDlg.h"

using namespace dialogtest;

namespace {

ScanOutcome CutOutcome()
{
    ScanOutcome outcome;
    outcome.unlistableFolders = 2;
    outcome.unlistableFolderPaths = {"C:\\data\\locked", "C:\\data\\" + std::string(300, 'x')};
    outcome.unreadableFiles = SkippedPaths::kMaxKept + 5;
    for (size_t i = 0; i < SkippedPaths::kMaxKept; ++i)
        outcome.unreadableFilePaths.push_back("D:\\photos\\in use " + std::to_string(i) + ".jpg");
    return outcome;
}

}  // namespace

TEST(SkippedPathsDialog, ListsFoldersThenFilesWholeAndSaysHowManyMore)
{
    const ScanOutcome outcome = CutOutcome();
    SkippedPathsDlg dlg(nullptr, outcome);
    std::string shown;
    bool openAfterKeys = false;
    RunLater(150, [&] {
        shown = dlg.ShownText();
        PostKey(dlg.m_hWnd, VK_ESCAPE);
        PostKey(dlg.m_hWnd, VK_RETURN);
    });
    RunLater(400, [&] {
        openAfterKeys = dlg.m_hWnd && IsWindowVisible(dlg.m_hWnd);
        ClickClientItem(dlg, 100);
    });
    RunLater(4000, [&] { dlg.EndDialog(-99); });
    EXPECT_EQ(2, dlg.DoModal());
    CancelPending();
    EXPECT_TRUE(openAfterKeys);

    EXPECT_EQ(SkippedPathsDlg::ListText(outcome), shown) << "the control holds it all, past its default limit";
    const size_t folders = shown.find("2 folders could not be opened.\r\n");
    const size_t longFolder = shown.find("\r\nC:\\data\\" + std::string(300, 'x') + "\r\n");
    const size_t files = shown.find("1005 files could not be read.\r\n");
    const size_t last = shown.find("\r\nD:\\photos\\in use 999.jpg\r\n");
    const size_t more = shown.find("\r\nand 5 more\r\n");
    ASSERT_NE(std::string::npos, folders) << shown.substr(0, 400);
    ASSERT_NE(std::string::npos, longFolder);
    ASSERT_NE(std::string::npos, files);
    ASSERT_NE(std::string::npos, last);
    ASSERT_NE(std::string::npos, more);
    EXPECT_TRUE(folders < longFolder && longFolder < files && files < last && last < more);
    EXPECT_EQ(shown.size(), more + std::string("\r\nand 5 more\r\n").size()) << "the cut is told at the end";
}

TEST(SkippedPathsDialog, TellsOnlyWhatWasSkippedAndNoMoreWhenAllWereKept)
{
    ScanOutcome outcome;
    outcome.unreadableFiles = 1;
    outcome.unreadableFilePaths = {"E:\\a.txt"};
    EXPECT_EQ("1 file could not be read.\r\nE:\\a.txt\r\n", SkippedPathsDlg::ListText(outcome));
    outcome = ScanOutcome();
    outcome.unlistableFolders = 1;
    outcome.unlistableFolderPaths = {"E:\\b"};
    EXPECT_EQ("1 folder could not be opened.\r\nE:\\b\r\n", SkippedPathsDlg::ListText(outcome));
}
