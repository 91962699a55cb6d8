// tests/ui/results/SkippedPathsPageTest.cpp
// A real scan of a tree with a folder the system cannot list: the page's note line, clicked,
// lists that folder by its whole path in the program's own dialog.
#include <gtest/gtest.h>

#include <string>

#include "ResultsPageHost.h"
#include "app/TextConvert.h"
#include "tests/uikit/dialog/DialogTestEnv.h"
#include "ui/dialogs/SkippedPathsDlg.h"

using resultstest::PageHost;
using namespace dialogtest;

namespace {

// A pair of copies, and below a chain of long folder names a folder past the length that the
// finder's listing takes: the scan finds the pair and skips that folder.
std::string MakeTreeWithDeepFolder(std::string* deepest)
{
    const std::string top = FixtureDir() + "\\results\\skipped-tree";
    std::string folder = top;
    std::string below = top;
    CreateDirectoryA(top.c_str(), nullptr);
    for (int i = 1; i <= 12; ++i) {
        folder += "\\a-folder-name-of-some-length-" + std::to_string(i);
        CreateDirectoryW((L"\\\\?\\" + ToWideCString(folder.c_str())).c_str(), nullptr);
    }
    *deepest = folder;
    for (const char* name : {"\\copy1.txt", "\\copy2.txt"}) {
        HANDLE file = CreateFileA((top + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, "the same words", 14, &written, nullptr);
        CloseHandle(file);
    }
    HANDLE deep = CreateFileW((L"\\\\?\\" + ToWideCString((folder + "\\deep.txt").c_str())).c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, 0, nullptr);
    CloseHandle(deep);
    return top;
}

}  // namespace

TEST(SkippedPathsPage, ClickOnTheNoteListsTheFolderTheScanCouldNotOpen)
{
    std::string deepest;
    const std::string top = MakeTreeWithDeepFolder(&deepest);
    ASSERT_GT(deepest.size(), size_t(MAX_PATH));
    PageHost host;
    host.ScanAndHandOver(top);
    host.page.SetScanOutcome(host.run.Outcome());  // as the main dialog hands it over
    ASSERT_EQ(1u, host.page.Model().GroupCount()) << "the copies are still found";
    const ScanOutcome& outcome = host.page.Outcome();
    ASSERT_EQ(1u, outcome.unlistableFolders);
    ASSERT_EQ(1u, outcome.unlistableFolderPaths.size());
    const std::string skipped = outcome.unlistableFolderPaths[0];
    EXPECT_TRUE(deepest == skipped || deepest.find(skipped + "\\") == 0) << skipped << " is not on the way to " << deepest;
    EXPECT_EQ(0u, skipped.find(top + "\\a-folder-name-of-some-length-1\\")) << skipped;

    RedrawWindow(host.page.GetHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const RECT note = host.page.NoteArea();
    ASSERT_LT(note.top, note.bottom) << "the note was painted";

    std::string shown;
    int opened = 0;
    RunLater(300, [&] {
        if (SkippedPathsDlg* dialog = FindOpenDialog<SkippedPathsDlg>()) {
            ++opened;
            shown = dialog->ShownText();
            ClickClientItem(*dialog, 100);
        }
    });
    RunLater(5000, [] {
        if (SkippedPathsDlg* dialog = FindOpenDialog<SkippedPathsDlg>())
            dialog->EndDialog(-99);
    });
    host.Click(host.page.GetHwnd(), POINT{(note.left + note.right) / 2, (note.top + note.bottom) / 2});
    host.PumpUntil([&] { return opened > 0 && !FindOpenDialog<SkippedPathsDlg>(); }, 100);
    CancelPending();
    EXPECT_EQ(1, opened);
    EXPECT_EQ(nullptr, FindOpenDialog<SkippedPathsDlg>()) << "its button closed it";
    EXPECT_NE(std::string::npos, shown.find("1 folder could not be opened.")) << shown;
    EXPECT_NE(std::string::npos, shown.find("\r\n" + skipped + "\r\n")) << shown;
    EXPECT_EQ(std::string::npos, shown.find("files could not be read")) << "nothing else was skipped: " << shown;

    // A click beside the note opens nothing.
    RunLater(300, [&] {
        if (SkippedPathsDlg* dialog = FindOpenDialog<SkippedPathsDlg>()) {
            ++opened;
            dialog->EndDialog(2);
        }
    });
    host.Click(host.page.GetHwnd(), POINT{(note.left + note.right) / 2, note.bottom + 40});
    host.PumpUntil([] { return false; }, 50);
    CancelPending();
    EXPECT_EQ(1, opened);
}
