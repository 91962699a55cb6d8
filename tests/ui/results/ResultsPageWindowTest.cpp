// tests/ui/results/ResultsPageWindowTest.cpp
// The page filled from a real scan: rows per category, captions, auto-select, and a removal
// into the Wine trash in which a file the shell refuses is told as failed and kept in the rows.
#include <gtest/gtest.h>

#include "ResultsPageHost.h"
#include "StandInShell.h"
#include "app/LangString.h"
#include "ui/results/CurrentFile.h"
#include "uikit/widget/UiImgTextBtn.h"

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

    // Back empties everything and asks the main dialog for the start page; the next scan's
    // files start unchecked, so the page offers Auto select again, not Uncheck all.
    auto shown = [&](int id) { return host.page.FindItem(id)->IsVisible() != 0; };
    EXPECT_TRUE(shown(UiCtrl::ScanResultPageWnd::kCmdAutoSelect)) << "nothing is left checked on this tab";
    host.page.OnCommand(UiCtrl::ScanResultPageWnd::kCmdAutoSelect, 0);
    ASSERT_TRUE(shown(UiCtrl::ScanResultPageWnd::kCmdUncheckAll));
    host.page.OnCommand(UiCtrl::ScanResultPageWnd::kCmdBack, 0);
    EXPECT_TRUE(shown(UiCtrl::ScanResultPageWnd::kCmdAutoSelect));
    EXPECT_FALSE(shown(UiCtrl::ScanResultPageWnd::kCmdUncheckAll));
    EXPECT_EQ(0u, model.GroupCount());
    EXPECT_EQ(0, host.Roots(kCategoryAllFiles));
    EXPECT_EQ(kCategoryAllFiles, host.page.VisibleCategory());
    EXPECT_TRUE(CurrentFilePath().empty());
}

// Auto select checks every tree's groups whichever tab is shown; Uncheck all clears them all.
TEST(ResultsPage, AutoSelectOnOneTabChecksEveryTreeAndUncheckAllClearsThemAll)
{
    PageHost host;
    host.ScanAndHandOver(resultstest::ScanFolder("gallery"));  // read only here
    const HWND page = host.page.GetHwnd();
    auto post = [&](int id) {
        PostMessageA(page, WM_COMMAND, id, 0);
        host.PumpUntil([] { return false; }, 5);
    };
    auto shown = [&](int id) { return host.page.FindItem(id)->IsVisible() != 0; };
    post(UiCtrl::ScanResultPageWnd::kCmdFirstTab);  // Photos
    ASSERT_EQ(kCategoryPhoto, host.page.VisibleCategory());
    post(UiCtrl::ScanResultPageWnd::kCmdAutoSelect);
    EXPECT_TRUE(shown(UiCtrl::ScanResultPageWnd::kCmdUncheckAll));
    EXPECT_FALSE(shown(UiCtrl::ScanResultPageWnd::kCmdAutoSelect));
    // Three copies of the picture and two of the document: all but one of each.
    EXPECT_EQ(2, host.page.Tree(kCategoryPhoto).CheckedCount());
    EXPECT_EQ(1, host.page.Tree(kCategoryOfficeDoc).CheckedCount()) << "a tab not shown";
    EXPECT_EQ(3, host.page.Tree(kCategoryAllFiles).CheckedCount());
    for (ResultGroup* group : host.page.Model().GroupsOf(kCategoryAllFiles)) {
        ASSERT_GE(group->files.size(), 2u);
        EXPECT_FALSE(group->files[0].checked) << "each group keeps its first file";
        EXPECT_EQ((int)group->files.size() - 1, group->CheckedCount());
    }
    EXPECT_FALSE(host.page.SelectionText().empty());
    post(UiCtrl::ScanResultPageWnd::kCmdFirstTab + 2);  // Documents
    EXPECT_FALSE(host.page.SelectionText().empty()) << "the other tab shows its own checks";

    post(UiCtrl::ScanResultPageWnd::kCmdUncheckAll);
    EXPECT_EQ(0, host.page.Model().CheckedCount(kCategoryAllFiles));
    EXPECT_TRUE(host.page.SelectionText().empty());
    EXPECT_TRUE(shown(UiCtrl::ScanResultPageWnd::kCmdAutoSelect));
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

namespace {

const COLORREF kLookAlikeInk = 0x4FB0F0;  // the look-alike marks
const COLORREF kPartMarkInk = 0x9EF23C;   // the square of a partly checked box
const COLORREF kAllMarkInk = 0x3C3CF0;    // the frame of a box whose every file is checked

// The root rows of a tree that show a look-alike group and an exact group.
void FindGroups(FileTreeCtrl& tree, HTREEITEM& lookAlike, HTREEITEM& exact)
{
    lookAlike = exact = nullptr;
    for (HTREEITEM item = tree.GetRootItem(); item; item = tree.GetNextSiblingItem(item))
        (tree.LinkOf(item)->record->group->lookAlike ? lookAlike : exact) = item;
}

std::vector<HTREEITEM> OpenGroup(FileTreeCtrl& tree, HTREEITEM group)
{
    EXPECT_TRUE(tree.FillGroup(group));
    tree.Expand(group, TVE_EXPAND);
    std::vector<HTREEITEM> files;
    for (HTREEITEM child = tree.GetChildItem(group); child; child = tree.GetNextSiblingItem(child))
        files.push_back(child);
    return files;
}

void ClickBox(PageHost& host, FileTreeCtrl& tree, HTREEITEM item)
{
    RECT text;
    ASSERT_TRUE(tree.GetItemRect(item, &text, TRUE));
    const RECT box = tree.CheckBoxOf(text, tree.LinkOf(item)->isGroup);
    host.Click(tree.m_hWnd, POINT{(box.left + box.right) / 2, (box.top + box.bottom) / 2});
}

}  // namespace

TEST(ResultsPage, LookAlikeGroupIsMarkedShowsPixelSizesAndCopiesAndAutoSelectKeepsTheFirst)
{
    PageHost host;
    host.ScanAndHandOver(resultstest::ScanFolder("gallery"));  // read only here
    resultstest::LookAlikeFiles look;
    ASSERT_EQ(4u, look.owned.size()) << "the fixture's identify sizes";
    host.page.FillCategory(kCategoryPhoto, look.groups);
    host.page.OnShow();
    host.page.OnCommand(UiCtrl::ScanResultPageWnd::kCmdFirstTab, 0);
    FileTreeCtrl& tree = host.page.Tree(kCategoryPhoto);
    HTREEITEM lookAlike, exact;
    FindGroups(tree, lookAlike, exact);
    ASSERT_NE(nullptr, lookAlike);
    ASSERT_NE(nullptr, exact);

    // The look-alike group says so in its own ink; the exact group does not.
    EXPECT_GT(resultstest::CountColour(tree.m_hWnd, resultstest::RowRect(tree, lookAlike), kLookAlikeInk), 20);
    EXPECT_EQ(0, resultstest::CountColour(tree.m_hWnd, resultstest::RowRect(tree, exact), kLookAlikeInk));

    // Each row: pixel size as identify measured it, and whether it is a byte-for-byte copy.
    const std::string only = GetLangString("LookAlikeOnly");
    ASSERT_FALSE(only.empty());
    struct Row { const char* name; const char* pixels; const char* copy; } rows[] = {
        {"forest.jpg", "640 x 480", "#2"},
        {"forest-copy.jpg", "640 x 480", "#1"},
        {"forest-q60.jpg", "640 x 480", nullptr},
        {"forest-small.jpg", "320 x 240", nullptr},
    };
    const std::vector<HTREEITEM> files = OpenGroup(tree, lookAlike);
    ASSERT_EQ(4u, files.size());
    for (size_t i = 0; i < files.size(); ++i) {
        const TreeRowRecord& record = *tree.LinkOf(files[i])->record;
        EXPECT_EQ(rows[i].name, record.file->name);
        const std::string note = tree.LookAlikeNote(record);
        EXPECT_NE(std::string::npos, note.find(rows[i].pixels)) << note;
        EXPECT_NE(std::string::npos, note.find(rows[i].copy ? rows[i].copy : only.c_str())) << note;
        EXPECT_GT(resultstest::CountColour(tree.m_hWnd, resultstest::RowRect(tree, files[i]), kLookAlikeInk), 10)
            << rows[i].name;
    }
    for (HTREEITEM file : OpenGroup(tree, exact)) {
        EXPECT_EQ("", tree.LookAlikeNote(*tree.LinkOf(file)->record));
        EXPECT_EQ(0, resultstest::CountColour(tree.m_hWnd, resultstest::RowRect(tree, file), kLookAlikeInk));
    }

    // Auto-select, clicked: the finder's first member (most pixels) is the one kept.
    host.ClickWidget(UiCtrl::ScanResultPageWnd::kCmdAutoSelect);
    const ResultGroup& group = *tree.LinkOf(lookAlike)->record->group;
    EXPECT_FALSE(group.files[0].checked);
    EXPECT_EQ(3, group.CheckedCount());
}

TEST(ResultsPage, GroupBoxShowsPartlyCheckedWhenOnlySomeFilesAreAndWarnsWhenAllAre)
{
    PageHost host;
    host.ScanAndHandOver(resultstest::ScanFolder("gallery"));
    resultstest::LookAlikeFiles look;
    host.page.FillCategory(kCategoryPhoto, look.groups);
    host.page.OnShow();
    host.page.OnCommand(UiCtrl::ScanResultPageWnd::kCmdFirstTab, 0);
    FileTreeCtrl& tree = host.page.Tree(kCategoryPhoto);
    HTREEITEM group, exact;
    FindGroups(tree, group, exact);
    ASSERT_NE(nullptr, group);
    const std::vector<HTREEITEM> files = OpenGroup(tree, group);
    ASSERT_EQ(4u, files.size());
    RECT text;
    ASSERT_TRUE(tree.GetItemRect(group, &text, TRUE));
    const RECT box = tree.CheckBoxOf(text, true);
    EXPECT_EQ(0, resultstest::CountColour(tree.m_hWnd, box, kPartMarkInk)) << "nothing checked";

    ClickBox(host, tree, files[2]);
    const ResultGroup& marks = *tree.LinkOf(group)->record->group;
    ASSERT_EQ(1, marks.CheckedCount());
    EXPECT_EQ(kGroupPartlyChecked, MarkOfGroup(marks));
    EXPECT_GT(resultstest::CountColour(tree.m_hWnd, box, kPartMarkInk), 16) << "one of four checked: partly";

    ClickBox(host, tree, files[1]);
    ClickBox(host, tree, files[3]);
    EXPECT_EQ(kGroupChecked, MarkOfGroup(marks)) << "every file but the kept one";
    EXPECT_EQ(0, resultstest::CountColour(tree.m_hWnd, box, kPartMarkInk));
    EXPECT_EQ(0, resultstest::CountColour(tree.m_hWnd, box, kAllMarkInk));

    ClickBox(host, tree, files[0]);
    EXPECT_EQ(kGroupAllChecked, MarkOfGroup(marks)) << "no copy would remain";
    EXPECT_GT(resultstest::CountColour(tree.m_hWnd, box, kAllMarkInk), 16) << "drawn apart from all but one";
    EXPECT_EQ(0, resultstest::CountColour(tree.m_hWnd, box, kPartMarkInk));
    ClickBox(host, tree, group);
    EXPECT_EQ(0, marks.CheckedCount()) << "the group's box clears it";
}

TEST(ResultsPage, TabsAndDropDownSwitchTheCategoryByClicks)
{
    PageHost host;
    host.ScanAndHandOver(resultstest::ScanFolder("gallery"));
    using Page = UiCtrl::ScanResultPageWnd;
    auto pressed = [&](int id) { return static_cast<UiCtrl::UiImgTextBtn*>(host.page.FindItem(id))->IsPressed(); };

    host.ClickWidget(Page::kCmdFirstTab + 2);  // Documents
    EXPECT_EQ(kCategoryOfficeDoc, host.page.VisibleCategory());
    EXPECT_TRUE(host.page.Tree(kCategoryOfficeDoc).IsWindowVisible());
    EXPECT_TRUE(pressed(Page::kCmdFirstTab + 2));
    EXPECT_FALSE(pressed(Page::kCmdFirstTab));
    host.ClickWidget(Page::kCmdFirstTab);  // Photos
    EXPECT_EQ(kCategoryPhoto, host.page.VisibleCategory());
    EXPECT_TRUE(pressed(Page::kCmdFirstTab));
    EXPECT_FALSE(pressed(Page::kCmdFirstTab + 2)) << "one tab at a time";
    // Where no tree is, the tips picture shows (its frame ink appears nowhere in a tree).
    RECT client;
    GetClientRect(host.page.GetHwnd(), &client);
    const RECT trees = ResultPageLayout::For(client).treeArea;
    const int cx = (trees.left + trees.right) / 2, cy = (trees.top + trees.bottom) / 2;
    const RECT tips = {cx - 110, cy - 70, cx + 110, cy + 70};
    const COLORREF kTipsInk = 0x78584A;
    EXPECT_EQ(0, resultstest::CountColour(host.Window(), tips, kTipsInk)) << "the photos tree covers it";
    host.ClickWidget(Page::kCmdFirstTab + 1);  // Videos: none found
    EXPECT_EQ(kCategoryVideo, host.page.VisibleCategory());
    EXPECT_FALSE(host.page.Tree(kCategoryVideo).IsWindowVisible());
    EXPECT_GT(resultstest::CountColour(host.Window(), tips, kTipsInk), 100);

    // The drop-down opens under its button; its "all files" row brings every group back.
    HWND list = host.page.DropDown().GetHwnd();
    ASSERT_NE(nullptr, list);
    EXPECT_FALSE(IsWindowVisible(list));
    host.ClickWidget(Page::kCmdDropDown);
    ASSERT_TRUE(IsWindowVisible(list));
    RECT listRect, button = host.page.FindItem(Page::kCmdDropDown)->Rect();
    GetWindowRect(list, &listRect);
    POINT under = {button.left, button.bottom};
    ClientToScreen(host.page.GetHwnd(), &under);
    EXPECT_GE(listRect.top, under.y);
    UiCtrl::UiItem* allRow = host.page.DropDown().FindItem(100);
    ASSERT_NE(nullptr, allRow);
    host.Click(list, POINT{(allRow->Rect().left + allRow->Rect().right) / 2, (allRow->Rect().top + allRow->Rect().bottom) / 2});
    host.PumpUntil([&] { return host.page.VisibleCategory() == kCategoryAllFiles; }, 50);
    EXPECT_EQ(kCategoryAllFiles, host.page.VisibleCategory());
    EXPECT_FALSE(IsWindowVisible(list));
    EXPECT_TRUE(host.page.Tree(kCategoryAllFiles).IsWindowVisible());
    for (int id = Page::kCmdFirstTab; id <= Page::kCmdLastTab; ++id)
        EXPECT_FALSE(pressed(id)) << id;
    const std::string caption = static_cast<UiCtrl::CaptionedItem*>(host.page.FindItem(Page::kCmdDropDown))->GetCaption();
    EXPECT_NE(std::string::npos, caption.find(GetLangString("AllFiles"))) << caption;
}

TEST(ResultsPage, EveryButtonStaysInsideTheClientAreaAfterEachResize)
{
    PageHost host;
    host.ScanAndHandOver(resultstest::ScanFolder("gallery"));
    using Page = UiCtrl::ScanResultPageWnd;
    const int ids[] = {Page::kCmdBack, Page::kCmdUncheckAll, Page::kCmdRemove, Page::kCmdDropDown, Page::kCmdAutoSelect,
                       105, 106, 107, 108, 109, Page::kCmdOpen};
    struct Size { int width, height; } sizes[] = {{1280, 1000}, {1196, 680}, {1280, 1000}, {1000, 620}, {1196, 680}};
    for (const Size& size : sizes) {
        host.Resize(size.width, size.height);
        RECT client;
        GetClientRect(host.page.GetHwnd(), &client);
        ASSERT_EQ(size.width, client.right);
        for (int id : ids) {
            const RECT r = host.page.FindItem(id)->Rect();
            EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom)
                << "button " << id << " at " << r.left << "," << r.top << " in " << size.width << "x" << size.height;
        }
        // The buttons follow the bottom and right edges; Open follows the preview.
        const ResultPageLayout layout = ResultPageLayout::For(client);
        EXPECT_EQ(layout.buttonTop, host.page.FindItem(Page::kCmdRemove)->Rect().top);
        EXPECT_EQ(layout.content.right, host.page.FindItem(Page::kCmdRemove)->Rect().right);
        EXPECT_EQ(layout.preview.right - 50, host.page.FindItem(Page::kCmdOpen)->Rect().right);
        RECT tree;
        GetWindowRect(host.page.Tree(kCategoryAllFiles).m_hWnd, &tree);
        MapWindowPoints(nullptr, host.page.GetHwnd(), reinterpret_cast<POINT*>(&tree), 2);
        EXPECT_LE(tree.bottom, layout.treeArea.bottom);
    }
}

TEST(ResultsPage, TheSelectAllBoxIsFullOnlyWhenEveryFileIsChecked)
{
    PageHost host;
    host.ScanAndHandOver(resultstest::ScanFolder("gallery"));
    RECT client;
    GetClientRect(host.page.GetHwnd(), &client);
    const RECT select = ResultPageLayout::For(client).selectBox;
    const RECT box = {select.left + 10, select.top + 8, select.left + 10 + FileTreeCtrl::kCheckBoxSize,
                      select.top + 8 + FileTreeCtrl::kCheckBoxSize};
    EXPECT_EQ(kGroupUnchecked, host.page.SelectAllMark());
    const std::vector<uint32_t> unchecked = resultstest::CapturePixels(host.page.GetHwnd(), box);

    FileTreeCtrl& tree = host.page.Tree(kCategoryAllFiles);
    const std::vector<HTREEITEM> files = OpenGroup(tree, tree.GetRootItem());
    ASSERT_GE(files.size(), 2u);
    ClickBox(host, tree, files[1]);
    ASSERT_EQ(1, tree.CheckedCount());
    EXPECT_EQ(kGroupPartlyChecked, host.page.SelectAllMark()) << "one file checked is not all";
    EXPECT_GT(resultstest::CountColour(host.page.GetHwnd(), box, kPartMarkInk), 16);

    ResultModel& model = host.page.Model();
    for (ResultGroup* group : model.GroupsOf(kCategoryAllFiles))
        for (size_t i = 0; i < group->files.size(); ++i)
            model.SetFileChecked(group, i, true);
    host.page.OnSelectionChanged();
    EXPECT_EQ(kGroupAllChecked, host.page.SelectAllMark());
    EXPECT_EQ(0, resultstest::CountColour(host.page.GetHwnd(), box, kPartMarkInk));
    EXPECT_NE(unchecked, resultstest::CapturePixels(host.page.GetHwnd(), box)) << "the full tick";
}

TEST(ResultsPage, AFileRowsWholePathIsInItsTooltipAndInTheDetails)
{
    PageHost host;
    host.ScanAndHandOver(resultstest::ScanFolder("gallery"));
    FileTreeCtrl& tree = host.page.Tree(kCategoryAllFiles);
    const std::vector<HTREEITEM> files = OpenGroup(tree, tree.GetRootItem());
    ASSERT_GE(files.size(), 2u);
    const std::string path = tree.LinkOf(files[1])->record->file->FullPath();
    RECT row;
    ASSERT_TRUE(tree.GetItemRect(files[1], &row, TRUE));
    const POINT at = {row.left + 60, (row.top + row.bottom) / 2};
    POINT screen = at;
    ClientToScreen(tree.m_hWnd, &screen);
    SetCursorPos(screen.x, screen.y);  // the pointer's own moves land on the same row
    PostMessageA(tree.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    host.PumpUntil([] { return false; }, 5);
    EXPECT_EQ(path, tree.ToolTipText());
    host.Click(tree.m_hWnd, at);
    const std::vector<std::string> details = host.page.DetailValues();
    ASSERT_EQ(5u, details.size());
    EXPECT_EQ(path, details[4]);
    EXPECT_EQ(tree.LinkOf(files[1])->record->file->name, details[0]);
}

TEST(ResultsPage, AChartSliceAndTheSelectionCommandReachThePage)
{
    PageHost host;
    host.ScanAndHandOver(resultstest::ScanFolder("gallery"));
    PostMessageA(host.page.GetHwnd(), UiCtrl::ScanResultPageWnd::kMsgChartSlice, kCategoryOfficeDoc, 0);
    host.PumpUntil([] { return false; }, 5);
    EXPECT_EQ(kCategoryOfficeDoc, host.page.VisibleCategory()) << "the slice's category";
    PostMessageA(host.page.GetHwnd(), UiCtrl::ScanResultPageWnd::kMsgChartSlice, 0, 0);
    host.PumpUntil([] { return false; }, 5);
    EXPECT_EQ(kCategoryOfficeDoc, host.page.VisibleCategory()) << "no slice: no switch";

    // Marks changed behind the page's back: the command rereads the selection text.
    ResultModel& model = host.page.Model();
    ResultGroup* group = model.GroupsOf(kCategoryOfficeDoc)[0];
    model.SetFileChecked(group, 1, true);
    ASSERT_TRUE(host.page.SelectionText().empty());
    PostMessageA(host.page.GetHwnd(), WM_COMMAND, UiCtrl::ScanResultPageWnd::kCmdSelectionChanged, 0);
    host.PumpUntil([] { return false; }, 5);
    EXPECT_FALSE(host.page.SelectionText().empty());
}

TEST(ResultsPage, AClickOrDoubleClickNotedByATreeDrawsItsRowsAgain)
{
    PageHost host;
    host.ScanAndHandOver(resultstest::ScanFolder("gallery"));
    FileTreeCtrl& tree = host.page.Tree(kCategoryAllFiles);
    // Until the first resize the skinned frame's inner window is empty: the tree shows
    // nothing and collects no region to draw.
    host.Resize(1100, 650);
    host.PumpUntil([] { return false; }, 5);
    for (UINT code : {(UINT)NM_CLICK, (UINT)NM_DBLCLK}) {
        tree.UpdateWindow();
        tree.ValidateRect(nullptr);
        NMHDR header = {tree.m_hWnd, (UINT_PTR)tree.GetDlgCtrlID(), code};
        SendMessageA(host.page.GetHwnd(), WM_NOTIFY, header.idFrom, (LPARAM)&header);
        RECT dirty = {};
        EXPECT_TRUE(::GetUpdateRect(tree.m_hWnd, &dirty, FALSE)) << code;
    }
}

TEST(ResultsPage, TellsAStoppedScanAndWhatCouldNotBeRead)
{
    PageHost host;
    host.ScanAndHandOver(resultstest::ScanFolder("gallery"));
    EXPECT_EQ("", host.page.OutcomeNote()) << "a scan that ended well has nothing to tell";
    ScanOutcome outcome;
    outcome.stopped = true;
    outcome.unlistableFolders = 2;
    outcome.unreadableFiles = 7;
    host.page.SetScanOutcome(outcome);
    const std::string note = host.page.OutcomeNote();
    EXPECT_NE(std::string::npos, note.find(GetLangString("ScanStoppedNote"))) << note;
    EXPECT_NE(std::string::npos, note.find('2')) << note;
    EXPECT_NE(std::string::npos, note.find('7')) << note;
    outcome.stopped = false;
    host.page.SetScanOutcome(outcome);
    EXPECT_EQ(std::string::npos, host.page.OutcomeNote().find(GetLangString("ScanStoppedNote")));
    EXPECT_NE(std::string::npos, host.page.OutcomeNote().find('7')) << "counts are told even when groups were found";
    // A count of zero is left out.
    outcome.unlistableFolders = 0;
    host.page.SetScanOutcome(outcome);
    EXPECT_EQ(std::string::npos, host.page.OutcomeNote().find("folders")) << host.page.OutcomeNote();
    EXPECT_NE(std::string::npos, host.page.OutcomeNote().find("7 files")) << host.page.OutcomeNote();
    outcome.unlistableFolders = 1;
    outcome.unreadableFiles = 0;
    host.page.SetScanOutcome(outcome);
    EXPECT_EQ(std::string::npos, host.page.OutcomeNote().find("files")) << host.page.OutcomeNote();
    EXPECT_NE(std::string::npos, host.page.OutcomeNote().find("1 folder could not be opened.")) << host.page.OutcomeNote();
    host.page.OnCommand(UiCtrl::ScanResultPageWnd::kCmdBack, 0);
    EXPECT_EQ("", host.page.OutcomeNote()) << "the next scan starts without the last one's note";
}

TEST(ResultsPage, PreviewDecodesAPictureOncePerSelectionAndShowsTheJumboIconOfOtherFiles)
{
    PageHost host;
    host.ScanAndHandOver(resultstest::ScanFolder("gallery"));
    resultstest::LookAlikeFiles look;
    CurrentFilePath() = look.owned[0]->FullPath();
    CurrentFileRecord() = look.owned[0].get();
    const int before = host.page.PreviewDecodes();
    for (int i = 0; i < 3; ++i)
        RedrawWindow(host.page.GetHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(before + 1, host.page.PreviewDecodes()) << "three repaints, one decode";
    EXPECT_EQ(0, host.page.PreviewIconSize()) << "a picture shows itself";

    CurrentFilePath() = look.notes.FullPath();
    CurrentFileRecord() = &look.notes;
    RedrawWindow(host.page.GetHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(before + 2, host.page.PreviewDecodes());
    EXPECT_GT(host.page.PreviewIconSize(), 32) << "the jumbo icon, not the large one";
    ClearCurrentFile();
}
