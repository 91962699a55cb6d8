// tests/ui/results/ResultTreeWindowTest.cpp
// The result tree as the page shows it: one root row per group, file rows on the first
// click, check boxes that mark the shared model, and removal of the checked files into the
// Wine trash with the rows rebuilt, a file held open staying in them.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/WinePath.h"
#include "ui/results/CurrentFile.h"
#include "ui/results/FileTreeCtrl.h"
#include "ui/results/ResultTimeText.h"
#include "ResultsPageHost.h"
#include "StandInShell.h"
#include "UngroupedRemoval.h"
#include "app/Language.h"
#include "app/ResourceHelper.h"

namespace {

struct CountingCallBack : ICallBack
{
    int selection = 0, repaint = 0, expand = 0, checks = 0, lastChecked = -1;
    void OnSelectionChanged() override { ++selection; }
    void DeleteFile(const std::string&) override {}
    void NotifyOwner(WPARAM) override {}
    void Repaint() override { ++repaint; }
    void ExpandGroup(HTREEITEM, FileTreeCtrl*) override { ++expand; }
    void AutoSelectGroup(HTREEITEM, FileTreeCtrl*) override {}
    void OnCheckChanged(HTREEITEM, int checked, FileTreeCtrl*) override
    {
        ++checks;
        lastChecked = checked;
    }
    // What the trees told after a prune.
    struct Removed
    {
        int category;
        int64_t size;
        int count;
    };
    struct GroupGone
    {
        FileTreeCtrl* tree;
        std::string firstFile;
        int category;
        int files;
        bool isGroup;
    };
    std::vector<Removed> removed;
    std::vector<GroupGone> groupsGone;
    void OnFileRemoved(int category, int64_t size, int count) override { removed.push_back({category, size, count}); }
    void OnGroupRemoved(HTREEITEM, TreeItemLink* link, FileTreeCtrl* tree, bool isGroup) override
    {
        const TreeRowRecord* record = link ? link->record : nullptr;
        groupsGone.push_back({tree, record && record->file ? record->file->name : std::string(),
                              record ? record->category : -1, record ? record->fileCount : -1, isGroup});
    }
};

std::string WorkFolder()
{
    return FixtureDir() + "\\results\\work\\";
}

// Writes a file and gives its record as the scan makes it.
FoundFileRecord* WriteRecord(std::vector<std::unique_ptr<FoundFileRecord>>& owned, const std::string& name,
                             const std::string& content)
{
    owned.emplace_back(new FoundFileRecord);
    FoundFileRecord* record = owned.back().get();
    record->folder = WorkFolder();
    record->name = name;
    HANDLE file = CreateFileA(record->FullPath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, content.data(), (DWORD)content.size(), &written, nullptr);
    CloseHandle(file);
    WIN32_FILE_ATTRIBUTE_DATA data;
    GetFileAttributesExA(record->FullPath().c_str(), GetFileExInfoStandard, &data);
    record->size = (int64_t)content.size();
    record->time = (uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
    return record;
}

class ResultTreeWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        parent_ = CreateWindowExA(0, "STATIC", "results", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(nullptr, parent_);
        parentWnd_.Attach(parent_);
        ASSERT_TRUE(tree_.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                                     TVS_SHOWSELALWAYS | TVS_NOHSCROLL,
                                 RECT{0, 0, 700, 500}, &parentWnd_, 1001));
        tree_.SetCallBack(&callBack_);
        tree_.SetModel(&model_, kCategoryPhoto);
    }
    void TearDown() override
    {
        tree_.DestroyWindow();
        parentWnd_.Detach();
        DestroyWindow(parent_);
        ClearCurrentFile();
    }
    // Group "a": three copies; group "b": two, the second held open by the test.
    void Fill(const char* tag)
    {
        const std::string t = tag;
        FileGroupMap photos;
        photos.insert({"a", WriteRecord(owned_, t + "-a1.jpg", "aaaa")});
        photos.insert({"a", WriteRecord(owned_, t + "-a2.jpg", "aaaa")});
        photos.insert({"a", WriteRecord(owned_, t + "-a3.jpg", "aaaa")});
        photos.insert({"b", WriteRecord(owned_, t + "-b1.jpg", "bbbbbb")});
        photos.insert({"b", WriteRecord(owned_, t + "-b2.jpg", "bbbbbb")});
        photos.insert({"c", WriteRecord(owned_, t + "-c1.jpg", "alone")});
        model_.FillCategory(kCategoryPhoto, photos);
        tree_.Rebuild();
    }
    void ClickCheckBox(HTREEITEM item)
    {
        RECT text;
        ASSERT_TRUE(tree_.GetItemRect(item, &text, TRUE));
        RECT box = tree_.CheckBoxOf(text, tree_.LinkOf(item)->isGroup);
        ClickAt((box.left + box.right) / 2, (box.top + box.bottom) / 2);
    }
    void ClickAt(int x, int y)
    {
        tree_.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        tree_.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    int CountRoots() const
    {
        int count = 0;
        for (HTREEITEM item = tree_.GetRootItem(); item; item = tree_.GetNextSiblingItem(item))
            ++count;
        return count;
    }

    HWND parent_ = nullptr;
    CWnd parentWnd_;
    FileTreeCtrl tree_;
    ResultModel model_;
    CountingCallBack callBack_;
    std::vector<std::unique_ptr<FoundFileRecord>> owned_;
};

}  // namespace

TEST(ResultTreeRules, PaddedItemTextTable)
{
    struct Case { size_t length; size_t zeros; } cases[] = {{0, 64}, {10, 64}, {11, 51}, {20, 51}, {21, 38},
                                                           {30, 38}, {40, 25}, {50, 14}, {51, 0}, {80, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(c.length + c.zeros, FileTreeCtrl::PaddedItemText(std::string(c.length, 'n')).size()) << c.length;
    EXPECT_EQ("x" + std::string(64, '0'), FileTreeCtrl::PaddedItemText("x"));
}

TEST_F(ResultTreeWindow, GroupsAreRootRowsAndFilesComeOnTheFirstClick)
{
    Fill("rows");
    ASSERT_EQ(2, CountRoots()) << "the single file is no group";
    HTREEITEM first = tree_.GroupItem(0);
    EXPECT_EQ(first, tree_.GetSelectedItem());
    EXPECT_EQ(nullptr, tree_.GetChildItem(first));
    RECT text;
    ASSERT_TRUE(tree_.GetItemRect(first, &text, TRUE));
    ClickAt(text.right - 5, (text.top + text.bottom) / 2);  // beside the check box
    EXPECT_EQ(1, callBack_.expand);
    int children = 0;
    for (HTREEITEM child = tree_.GetChildItem(first); child; child = tree_.GetNextSiblingItem(child))
        ++children;
    EXPECT_EQ(3, children);
    EXPECT_TRUE(tree_.GetItemState(first, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_EQ(0, tree_.CheckedCount()) << "expanding checks nothing";
    EXPECT_FALSE(CurrentFilePath().empty());
    ClickAt(text.right - 5, (text.top + text.bottom) / 2);
    EXPECT_EQ(1, callBack_.expand) << "the rows are inserted once";
}

TEST_F(ResultTreeWindow, CheckBoxesMarkGroupsAndFiles)
{
    Fill("marks");
    HTREEITEM group = tree_.GroupItem(0);
    ClickCheckBox(group);
    EXPECT_EQ(1, callBack_.checks);
    EXPECT_EQ(1, callBack_.lastChecked);
    EXPECT_EQ(2, tree_.CheckedCount()) << "every file of the group but the first";
    EXPECT_EQ(8, tree_.CheckedSize());
    EXPECT_NE("", tree_.GetSelectionSummary());
    ASSERT_TRUE(tree_.FillGroup(group));
    tree_.Expand(group, TVE_EXPAND);
    HTREEITEM firstFile = tree_.GetChildItem(group);
    ClickCheckBox(tree_.GetNextSiblingItem(firstFile));
    EXPECT_EQ(1, tree_.CheckedCount());
    ClickCheckBox(group);
    EXPECT_EQ(0, callBack_.lastChecked);
    EXPECT_EQ(0, tree_.CheckedCount()) << "unchecking a group clears all its files";
    tree_.AutoSelectAll();
    EXPECT_EQ(3, tree_.CheckedCount());
    tree_.UncheckAll();
    EXPECT_EQ(0, tree_.CheckedCount());
    EXPECT_EQ("", tree_.GetSelectionSummary());
}

TEST_F(ResultTreeWindow, RemovalMovesCheckedFilesToTheTrashAndKeepsAFileInUse)
{
    Fill("clean");
    tree_.AutoSelectAll();
    ASSERT_EQ(3, tree_.CheckedCount());
    FoundFileRecord* held = owned_[4].get();  // b2, checked by the automatic selection
    HANDLE open = CreateFileA(held->FullPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, open);
    RemovalReport report = RemoveRecordsToRecycleBin(model_.CheckedFiles(tree_.Category()));
    CloseHandle(open);
    EXPECT_EQ(2, report.removed);
    ASSERT_EQ(1u, report.failedPaths.size());
    EXPECT_EQ(held->FullPath(), report.failedPaths[0]);
    const std::string trash = FixtureDir() + "\\results\\xdg\\Trash\\files\\";
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((trash + "clean-a2.jpg").c_str()));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(held->FullPath().c_str()));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(owned_[0]->FullPath().c_str()))
        << "the kept first file is still there";

    PruneOutcome outcome = model_.PruneRemoved();
    tree_.Rebuild();
    EXPECT_EQ(2, outcome.removedFiles);
    EXPECT_EQ(1, outcome.droppedGroups) << "group a is left with one file";
    ASSERT_EQ(1, CountRoots());
    const TreeItemLink* link = tree_.LinkOf(tree_.GroupItem(0));
    ASSERT_EQ(2u, link->record->group->files.size()) << "the file in use stays in its group";
    EXPECT_EQ(held, link->record->group->files[1].record);
    EXPECT_EQ(1, tree_.CheckedCount()) << "and keeps its mark for another try";
}

TEST_F(ResultTreeWindow, KeysMoveTheCurrentFileAndSpaceToggles)
{
    Fill("keys");
    tree_.SetFocus();
    tree_.SendMessage(WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(tree_.GroupItem(1), tree_.GetSelectedItem());
    EXPECT_NE(std::string::npos, CurrentFilePath().find("keys-b1.jpg"));
    tree_.SendMessage(WM_KEYDOWN, VK_SPACE, 1);
    EXPECT_EQ(1, tree_.CheckedCount()) << "the group keeps its first file";
    EXPECT_EQ(1, callBack_.checks);
}

namespace {

// count groups of two records each, made up: the tree only reads names and sizes.
struct ManyGroups
{
    explicit ManyGroups(int count)
    {
        for (int i = 0; i < count; ++i)
            for (int copy = 0; copy < 2; ++copy) {
                owned.emplace_back(new FoundFileRecord);
                owned.back()->folder = "C:\\many\\";
                owned.back()->name = "file" + std::to_string(i) + (copy ? "-copy.jpg" : ".jpg");
                owned.back()->size = 1000 + i;
                char key[32];
                snprintf(key, sizeof(key), "%d|jpg|%08d", 1000 + i, i);
                groups.insert({key, owned.back().get()});
            }
    }
    std::vector<std::unique_ptr<FoundFileRecord>> owned;
    FileGroupMap groups;
};

}  // namespace

TEST_F(ResultTreeWindow, RowsAreInsertedAsTheyComeIntoView)
{
    ManyGroups many(5000);
    model_.FillCategory(kCategoryPhoto, many.groups);
    tree_.Rebuild();
    const size_t first = tree_.InsertedGroups();
    EXPECT_GT(first, 0u);
    EXPECT_LT(first, 500u) << "only what a few pages show";
    EXPECT_EQ(tree_.GroupItem(0), tree_.GetSelectedItem());
    // Scrolling to the end brings the following rows.
    for (int i = 0; i < 20; ++i)
        tree_.SendMessage(WM_VSCROLL, SB_BOTTOM, 0), tree_.UpdateWindow();
    EXPECT_GT(tree_.InsertedGroups(), first);
    HTREEITEM last = tree_.GroupItem(4999);
    ASSERT_NE(nullptr, last);
    EXPECT_EQ(5000u, tree_.InsertedGroups());
    EXPECT_EQ(nullptr, tree_.GetNextSiblingItem(last));
    const TreeItemLink* link = tree_.LinkOf(last);
    EXPECT_EQ("file4999.jpg", link->record->file->name) << "map order kept";
    EXPECT_EQ(2 * 5000, model_.FileCount(kCategoryPhoto)) << "counts do not depend on the rows";
}

TEST_F(ResultTreeWindow, ARebuildKeepsOpenGroupsAndTheTopRow)
{
    ManyGroups many(300);
    model_.FillCategory(kCategoryPhoto, many.groups);
    tree_.Rebuild();
    HTREEITEM open = tree_.GroupItem(12);
    ASSERT_TRUE(tree_.FillGroup(open));
    tree_.Expand(open, TVE_EXPAND);
    tree_.SelectSetFirstVisible(tree_.GroupItem(10));
    const ResultGroup* openGroup = tree_.LinkOf(open)->record->group;
    const ResultGroup* topGroup = tree_.LinkOf(tree_.GroupItem(10))->record->group;

    // What a removal's refresh does: rows gone, model pruned (group 5 lost a file and goes),
    // rows again.
    tree_.DeleteAllRows();
    many.owned[2 * 5 + 1]->flags |= kRecordRemoved;
    ASSERT_EQ(1, model_.PruneRemoved().droppedGroups);
    tree_.Rebuild();
    const TreeItemLink* top = tree_.LinkOf(tree_.GetFirstVisibleItem());
    ASSERT_NE(nullptr, top);
    EXPECT_EQ(topGroup, top->record->group);
    HTREEITEM reopened = tree_.GroupItem(11);
    EXPECT_EQ(openGroup, tree_.LinkOf(reopened)->record->group);
    EXPECT_TRUE(tree_.GetItemState(reopened, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_NE(nullptr, tree_.GetChildItem(reopened));
    EXPECT_FALSE(tree_.GetItemState(tree_.GroupItem(10), TVIS_EXPANDED) & TVIS_EXPANDED);

    // Forgotten for the next scan.
    tree_.DeleteAllRows();
    tree_.ForgetView();
    tree_.Rebuild();
    EXPECT_EQ(tree_.GroupItem(0), tree_.GetFirstVisibleItem());
    EXPECT_FALSE(tree_.GetItemState(tree_.GroupItem(11), TVIS_EXPANDED) & TVIS_EXPANDED);
}

TEST(ResultTimeText, LocalTimeWithEveryFieldZeroPadded)
{
    struct Case { WORD year, month, day, hour, minute, second; const char* text; } cases[] = {
        {2021, 3, 4, 5, 6, 7, "05:06:07, 03/04/2021"},
        {1999, 12, 31, 23, 59, 58, "23:59:58, 12/31/1999"},
    };
    for (const Case& c : cases) {
        SYSTEMTIME local = {c.year, c.month, 0, c.day, c.hour, c.minute, c.second, 0};
        FILETIME localTime, utc;
        ASSERT_TRUE(SystemTimeToFileTime(&local, &localTime));
        ASSERT_TRUE(LocalFileTimeToFileTime(&localTime, &utc));
        EXPECT_EQ(c.text, FormatLocalFileTime((uint64_t(utc.dwHighDateTime) << 32) | utc.dwLowDateTime));
    }
}

TEST_F(ResultTreeWindow, MouseMovesRedrawOnlyTheRowsWhoseLookChanges)
{
    Fill("hover");
    HTREEITEM first = tree_.GroupItem(0), second = tree_.GroupItem(1);
    RECT a, b, client;
    ASSERT_TRUE(tree_.GetItemRect(first, &a, FALSE));
    ASSERT_TRUE(tree_.GetItemRect(second, &b, FALSE));
    tree_.GetClientRect(&client);
    auto move = [&](int x, int y) {
        tree_.UpdateWindow();
        tree_.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        RECT dirty = {};
        ::GetUpdateRect(tree_.m_hWnd, &dirty, FALSE);
        return dirty;
    };
    RECT dirty = move(100, a.top + 5);
    EXPECT_EQ(a.top, dirty.top) << "the row that became hot";
    EXPECT_EQ(a.bottom, dirty.bottom);
    dirty = move(140, a.top + 25);
    EXPECT_TRUE(IsRectEmpty(&dirty)) << "moving within one row draws nothing";
    dirty = move(100, b.top + 5);
    EXPECT_EQ(a.top, dirty.top) << "the row left and the row entered";
    EXPECT_EQ(b.bottom, dirty.bottom);
    EXPECT_LT(dirty.bottom, client.bottom);
}

TEST_F(ResultTreeWindow, RowsDrawInTheSameFontsAfterJapaneseAndBack)
{
    Fill("fonts");
    HTREEITEM group = tree_.GroupItem(0);
    ASSERT_TRUE(tree_.FillGroup(group));
    tree_.Expand(group, TVE_EXPAND);
    RECT client;
    tree_.GetClientRect(&client);
    const RECT rows = {0, 0, client.right, 150};
    const std::vector<uint32_t> before = resultstest::CapturePixels(tree_.m_hWnd, rows);
    ASSERT_FALSE(before.empty());
    // The language switch replaces every font the program handed out.
    ASSERT_GT(ResourceHelper::Instance().SetLanguage(1, LanguageFileOf(1)), 0);
    tree_.ReloadText();
    resultstest::CapturePixels(tree_.m_hWnd, rows);
    ASSERT_GT(ResourceHelper::Instance().SetLanguage(0, LanguageFileOf(0)), 0);
    tree_.ReloadText();
    EXPECT_TRUE(before == resultstest::CapturePixels(tree_.m_hWnd, rows)) << "drawn as before the switch";
}

TEST_F(ResultTreeWindow, ScrollWheelAndButtonUpDrawEveryRowAgain)
{
    Fill("redraw");
    const struct
    {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    } cases[] = {
        {WM_VSCROLL, SB_ENDSCROLL, 0},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, 0), MAKELPARAM(10, 10)},
        {WM_LBUTTONUP, 0, MAKELPARAM(600, 480)},
    };
    RECT client;
    tree_.GetClientRect(&client);
    for (const auto& c : cases) {
        tree_.UpdateWindow();
        tree_.ValidateRect(nullptr);
        tree_.SendMessage(c.message, c.wParam, c.lParam);
        RECT dirty = {};
        ASSERT_TRUE(::GetUpdateRect(tree_.m_hWnd, &dirty, FALSE)) << c.message;
        EXPECT_EQ(client.bottom, dirty.bottom - dirty.top) << c.message << ": every row, not a strip";
    }
}

TEST_F(ResultTreeWindow, APruneTellsEachTreeWhatLeftItsCategoryAndWhichGroupsDropped)
{
    Fill("told");
    // A video group beside the photos: only the all-files tree is told of it.
    FileGroupMap videos;
    videos.insert({"v", WriteRecord(owned_, "told-v1.avi", "vvvvvvvvvv")});
    videos.insert({"v", WriteRecord(owned_, "told-v2.avi", "vvvvvvvvvv")});
    model_.FillCategory(kCategoryVideo, videos);
    FileTreeCtrl all, video;
    all.SetModel(&model_, kCategoryAllFiles);
    all.SetCallBack(&callBack_);
    video.SetModel(&model_, kCategoryVideo);
    video.SetCallBack(&callBack_);
    model_.AutoSelect(kCategoryAllFiles);  // a2, a3, b2, v2
    resultstest::StandInShell shell;
    const FoundFileRecord* b2 = owned_[4].get();
    shell.refused.insert(b2->FullPath());
    RemovalReport report = RemoveRecordsToRecycleBin(model_.CheckedFiles(kCategoryAllFiles), shell);
    ASSERT_EQ(3, report.removed) << "b2 is refused and stays";

    const PruneOutcome outcome = model_.PruneRemoved();
    callBack_.removed.clear();
    tree_.ReportPrune(outcome);
    // a2 and a3 went; a1 is no duplicate any more. b2 stayed and b keeps its row.
    ASSERT_EQ(1u, callBack_.removed.size());
    EXPECT_EQ(kCategoryPhoto, callBack_.removed[0].category);
    EXPECT_EQ(3, callBack_.removed[0].count);
    EXPECT_EQ(12, callBack_.removed[0].size);
    ASSERT_EQ(1u, callBack_.groupsGone.size());
    EXPECT_EQ(&tree_, callBack_.groupsGone[0].tree);
    EXPECT_EQ("told-a1.jpg", callBack_.groupsGone[0].firstFile) << "group a, with the file it had left";
    EXPECT_EQ(kCategoryPhoto, callBack_.groupsGone[0].category);
    EXPECT_EQ(1, callBack_.groupsGone[0].files);
    EXPECT_TRUE(callBack_.groupsGone[0].isGroup);

    callBack_.removed.clear();
    callBack_.groupsGone.clear();
    video.ReportPrune(outcome);
    all.ReportPrune(outcome);
    ASSERT_EQ(2u, callBack_.removed.size());
    EXPECT_EQ(kCategoryVideo, callBack_.removed[0].category);
    EXPECT_EQ(2, callBack_.removed[0].count);
    EXPECT_EQ(20, callBack_.removed[0].size);
    EXPECT_EQ(kCategoryAllFiles, callBack_.removed[1].category);
    EXPECT_EQ(5, callBack_.removed[1].count);
    EXPECT_EQ(32, callBack_.removed[1].size);
    ASSERT_EQ(3u, callBack_.groupsGone.size()) << "the video group in its tree, both groups in the all-files tree";
    EXPECT_EQ(&video, callBack_.groupsGone[0].tree);
    EXPECT_EQ("told-v1.avi", callBack_.groupsGone[0].firstFile);
    EXPECT_EQ(&all, callBack_.groupsGone[1].tree);
    EXPECT_EQ(&all, callBack_.groupsGone[2].tree);
    EXPECT_EQ(2, model_.FileCount(kCategoryAllFiles)) << "only b is left";
}

TEST_F(ResultTreeWindow, GroupOperationsReadAndSetTheMarksOfTheirFiles)
{
    Fill("group");
    HTREEITEM a = tree_.GroupItem(0), b = tree_.GroupItem(1);
    ASSERT_TRUE(tree_.FillGroup(a));
    tree_.Expand(a, TVE_EXPAND);
    HTREEITEM a1 = tree_.GetChildItem(a);
    HTREEITEM a3 = tree_.GetNextSiblingItem(tree_.GetNextSiblingItem(a1));
    ClickCheckBox(a1);
    ClickCheckBox(a3);
    EXPECT_EQ(2, tree_.RecountGroup(a));
    EXPECT_EQ(2, tree_.LinkOf(a)->record->checkedCount);
    EXPECT_EQ(8, tree_.LinkOf(a)->record->checkedSize);
    EXPECT_EQ(2, tree_.GroupCheckedCount(a));
    EXPECT_EQ(8, tree_.GroupCheckedSize(a));
    EXPECT_EQ(0, tree_.RecountGroup(b)) << "no file rows, none checked";
    EXPECT_EQ(-1, tree_.RecountGroup(a1)) << "a file row is no group";

    const int told = callBack_.selection;
    tree_.SetChildrenChecked(a, true);
    EXPECT_EQ(3, tree_.GroupCheckedCount(a)) << "the first file too";
    EXPECT_EQ(12, tree_.GroupCheckedSize(a));
    EXPECT_EQ(told + 1, callBack_.selection);
    tree_.SetChildrenChecked(a, false);
    EXPECT_EQ(0, tree_.CheckedCount());

    tree_.AutoSelectAll();
    ClickCheckBox(a1);
    ASSERT_EQ(4, tree_.CheckedCount());
    tree_.UncheckGroups();
    EXPECT_EQ(0, tree_.GroupCheckedCount(a));
    EXPECT_EQ(0, tree_.GroupCheckedCount(b));
    EXPECT_EQ(0, tree_.CheckedCount());
    EXPECT_EQ(0, tree_.RecountGroup(a)) << "the rows show it";
}

TEST_F(ResultTreeWindow, TheCheckBoxSizeAndMarginsAreWhereItDrawsAndHits)
{
    Fill("box");
    HTREEITEM group = tree_.GroupItem(0);
    RECT text;
    ASSERT_TRUE(tree_.GetItemRect(group, &text, TRUE));
    const RECT small = tree_.CheckBoxOf(text, true);
    EXPECT_EQ(16, small.right - small.left);
    EXPECT_EQ(text.left - 19 + 11, small.left);
    // Below the 16-pixel box, inside a 26-pixel one: the row's own colour until the box grows.
    const RECT underSmall = {small.left + 2, small.top + 18, small.left + 14, small.top + 23};
    const COLORREF rowColour = tree_.LinkOf(group)->record->backColour;
    EXPECT_EQ(12 * 5, resultstest::CountColour(tree_.m_hWnd, underSmall, rowColour));
    // Inside a 26-pixel box from 20 px further right, outside the 16-pixel one.
    const POINT probe = {small.left + 20 + 22, small.top + 22};
    ClickAt(probe.x, probe.y);
    EXPECT_EQ(0, tree_.CheckedCount()) << "no box there yet";

    tree_.SetCheckBoxSize(26, 26);
    EXPECT_EQ(0, resultstest::CountColour(tree_.m_hWnd, underSmall, rowColour)) << "drawn at the new size";
    tree_.SetCheckBoxMargins(4, 31, 11);
    const RECT big = tree_.CheckBoxOf(text, true);
    EXPECT_EQ(small.left + 20, big.left);
    EXPECT_EQ(26, big.bottom - big.top);
    EXPECT_EQ(12 * 5, resultstest::CountColour(tree_.m_hWnd, underSmall, rowColour)) << "moved by the margin";
    ClickAt(probe.x, probe.y);
    EXPECT_EQ(2, tree_.CheckedCount()) << "the bigger box takes the click";
    ClickAt(big.left - 3, big.top - 3);
    EXPECT_EQ(0, tree_.CheckedCount()) << "so does its margin";
    ClickAt(big.right + 3, big.top + 5);
    EXPECT_EQ(0, tree_.CheckedCount()) << "but not right of it, where the arrow is";
}

TEST_F(ResultTreeWindow, TheBackgroundBitmapIsTiledBehindTheRows)
{
    Fill("back");
    RECT client;
    tree_.GetClientRect(&client);
    RECT below = {0, client.bottom - 48, 144, client.bottom};  // no rows down there
    const int striped = resultstest::CountColour(tree_.m_hWnd, below, 0x241C17) +
                        resultstest::CountColour(tree_.m_hWnd, below, 0x2B211C);
    ASSERT_TRUE(tree_.LoadBackgroundBitmap());
    EXPECT_FALSE(tree_.LoadBackgroundBitmap(4242)) << "no such bitmap";
    const std::vector<uint32_t> tiled = resultstest::CapturePixels(tree_.m_hWnd, below);
    // The bitmap as the resource has it, drawn the same way.
    HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(FileTreeCtrl::kBackgroundBitmap));
    ASSERT_NE(nullptr, bitmap);
    BITMAP size = {};
    GetObjectA(bitmap, sizeof(size), &size);
    ASSERT_GT(size.bmHeight, 0);
    const int offset = (client.bottom - 48) % size.bmHeight;
    HDC screen = GetDC(nullptr);
    HDC source = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(source, bitmap);
    int same = 0, compared = 0;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 144 && x < size.bmWidth; ++x, ++compared) {
            const COLORREF want = GetPixel(source, x, (y + offset) % size.bmHeight);
            const uint32_t got = tiled[(size_t)y * 144 + x];
            same += got == ((GetRValue(want) << 16) | (GetGValue(want) << 8) | GetBValue(want)) ? 1 : 0;
        }
    SelectObject(source, old);
    DeleteDC(source);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    EXPECT_EQ(144 * 48, striped) << "the stripes before";
    ASSERT_GT(compared, 0);
    EXPECT_EQ(compared, same);
}
