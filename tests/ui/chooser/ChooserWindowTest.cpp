// tests/ui/chooser/ChooserWindowTest.cpp
// The shell folder tree over the test prefix's real namespace, and the chooser dialog driven
// from a timer while it runs modally.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/LangString.h"
#include "app/TextCase.h"
#include "engine/DriveFreeSpace.h"
#include "finder/ScanSession.h"
#include "tests/support/MessagePump.h"
#include "tests/support/WinePath.h"
#include "ui/chooser/SelExportPathDlg.h"
#include "ui/chooser/ShellTreeCtrl.h"
#include "ui/chooser/ShellTreeRules.h"

namespace {

std::string PickFolder()
{
    return FixtureDir() + "\\chooser\\pick";
}

std::vector<std::string> ChildLabels(CShellTreeCtrl& tree, HTREEITEM parent)
{
    std::vector<std::string> labels;
    for (HTREEITEM item = tree.GetChildItem(parent); item; item = tree.GetNextSiblingItem(item))
        labels.push_back(static_cast<const char*>(tree.GetItemText(item)));
    return labels;
}

bool IsSameItem(LPCITEMIDLIST a, int csidl)
{
    LPITEMIDLIST special = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &special)) || !special)
        return false;
    IShellFolder* desktop = nullptr;
    SHGetDesktopFolder(&desktop);
    const bool same = static_cast<short>(HRESULT_CODE(desktop->CompareIDs(0, a, special))) == 0;
    desktop->Release();
    CoTaskMemFree(special);
    return same;
}

// The tree in a plain window of the window layer, which reflects its notifications.
class ShellTreeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host_.CreateEx(0, nullptr, "tree host", WS_POPUP | WS_VISIBLE, 0, 0, 900, 600,
                                   nullptr, nullptr));
        RECT area = {0, 0, 900, 600};
        ASSERT_TRUE(tree_.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES |
                                 TVS_LINESATROOT | TVS_SHOWSELALWAYS, area, &host_, 1001));
        tree_.SetSelectCallback(
            [](void* owner, const char* path) { static_cast<ShellTreeTest*>(owner)->reported_ = path; },
            this);
        tree_.Populate(true);
    }
    void TearDown() override
    {
        tree_.DestroyWindow();
        host_.DestroyWindow();
        DispatchQueuedMessages();
    }

    CWnd host_;
    CShellTreeCtrl tree_;
    std::string reported_;
};

TEST_F(ShellTreeTest, ListsMyComputerAndTheDrivesWithTheirFreeSpace)
{
    HTREEITEM root = tree_.GetRootItem();
    ASSERT_TRUE(root);
    EXPECT_TRUE(tree_.GetItemPath(root).empty() || tree_.GetItemIdList(root));
    HTREEITEM computer = tree_.ExpandMyComputer();
    ASSERT_TRUE(computer);
    EXPECT_TRUE(IsSameItem(tree_.GetItemIdList(computer), CSIDL_DRIVES));
    EXPECT_FALSE(std::string(tree_.GetItemText(computer)).empty());

    HTREEITEM driveC = tree_.FindChildByPath(computer, "C:\\");
    ASSERT_TRUE(driveC);
    std::string freeSpace;
    float used = 0;
    ASSERT_EQ(0, FormatDriveFreeSpace('C', GetLangString, freeSpace, used));
    const std::string label = static_cast<const char*>(tree_.GetItemText(driveC));
    // The name, padded, then the free-space text. Other programs write meanwhile, so the free
    // bytes may have moved; the total has not.
    const std::string freeOf = " " + DriveFreeOfText(GetLangString) + " ";
    const size_t totalAt = freeSpace.find(freeOf);
    ASSERT_NE(std::string::npos, totalAt) << freeSpace;
    const std::string total = freeSpace.substr(totalAt);
    ASSERT_GT(label.size(), freeSpace.size());
    EXPECT_EQ(total, label.substr(label.size() - total.size())) << label;
    EXPECT_NE(std::string::npos, label.find("  ")) << label;
    EXPECT_TRUE(tree_.FindChildByPath(computer, "Z:\\"));
}

TEST_F(ShellTreeTest, NeverShowsRecycleBinOrControlPanel)
{
    HTREEITEM root = tree_.GetRootItem();
    HTREEITEM computer = tree_.ExpandMyComputer();
    ASSERT_TRUE(computer);
    int checked = 0;
    for (HTREEITEM parent : {root, computer}) {
        for (HTREEITEM item = tree_.GetChildItem(parent); item; item = tree_.GetNextSiblingItem(item)) {
            LPCITEMIDLIST idList = tree_.GetItemIdList(item);
            ASSERT_TRUE(idList);
            EXPECT_FALSE(IsSameItem(idList, CSIDL_BITBUCKET)) << tree_.GetItemText(item);
            EXPECT_FALSE(IsSameItem(idList, CSIDL_CONTROLS)) << tree_.GetItemText(item);
            const std::string path = tree_.GetItemPath(item);
            // What a scan can start from: below the computer only drives; above it real
            // folders, or the computer itself (the one virtual item the tree offers).
            if (parent == computer) {
                EXPECT_TRUE(IsDriveRootPath(path)) << tree_.GetItemText(item);
            } else if (item != computer) {
                const DWORD attributes = GetFileAttributesA(path.c_str());
                EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES &&
                            (attributes & FILE_ATTRIBUTE_DIRECTORY))
                    << tree_.GetItemText(item) << " " << path;
            }
            // Only drives carry a free-space text (Wine gives some folders a trailing "\\").
            if (!IsDriveRootPath(path)) {
                EXPECT_EQ(std::string::npos, std::string(tree_.GetItemText(item)).find(" free of "))
                    << path;
            }
            ++checked;
        }
    }
    EXPECT_GE(checked, 3);
}

TEST_F(ShellTreeTest, ShowsTheFoldersSortedADottedNameIncluded)
{
    HTREEITEM pick = tree_.SelectFolder(PickFolder());
    ASSERT_TRUE(pick) << PickFolder();
    EXPECT_EQ(LowerAscii(PickFolder()), LowerAscii(reported_));
    tree_.Expand(pick, TVE_EXPAND);
    const std::vector<std::string> labels = ChildLabels(tree_, pick);
    // Folders only, in the folder's own order; the file and the archive stay out.
    const std::vector<std::string> expected = {"alpha", "Beta", "delta.v2", "gamma"};
    EXPECT_EQ(expected, labels);
    // A folder with sub-folders has a button; an empty one gets none once opened.
    HTREEITEM alpha = tree_.FindChildByPath(pick, PickFolder() + "\\alpha");
    ASSERT_TRUE(alpha);
    EXPECT_TRUE(tree_.ItemHasChildren(alpha));
    HTREEITEM gamma = tree_.FindChildByPath(pick, PickFolder() + "\\gamma");
    ASSERT_TRUE(gamma);
    tree_.Expand(gamma, TVE_EXPAND);
    EXPECT_FALSE(tree_.ItemHasChildren(gamma));
    EXPECT_FALSE(tree_.GetChildItem(gamma));
}

// A profile without a Desktop folder leaves the shell without a desktop: the tree then lists
// the user's folders and the drives from the disk, and walks down to a folder as before.
TEST_F(ShellTreeTest, WithoutTheDesktopListsTheDrivesAndTheUsersFolders)
{
    tree_.PopulateFolders();
    ASSERT_TRUE(tree_.ShowsPlainFolders());
    std::vector<std::string> paths;
    for (HTREEITEM item = tree_.GetRootItem(); item; item = tree_.GetNextSiblingItem(item))
        paths.push_back(LowerAscii(tree_.GetItemPath(item)));
    char documents[MAX_PATH] = {};
    ASSERT_EQ(S_OK, SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents));
    EXPECT_NE(std::find(paths.begin(), paths.end(), LowerAscii(documents)), paths.end());
    EXPECT_NE(std::find(paths.begin(), paths.end(), "c:\\"), paths.end());
    // The drive is labelled as in the shell tree: its free space after the name.
    HTREEITEM drive = tree_.FindChildByPath(TVI_ROOT, "C:\\");
    ASSERT_TRUE(drive);
    std::string freeSpace;
    float used = 0.0f;
    ASSERT_EQ(0, FormatDriveFreeSpace('C', GetLangString, freeSpace, used));
    const std::string label = static_cast<const char*>(tree_.GetItemText(drive));
    EXPECT_EQ(label.find("C:"), 0u) << label;
    EXPECT_NE(label.find(freeSpace.substr(0, 4)), std::string::npos) << label;

    HTREEITEM picked = tree_.SelectFolder(PickFolder());
    ASSERT_TRUE(picked);
    EXPECT_EQ(LowerAscii(PickFolder()), LowerAscii(reported_));
    tree_.Expand(picked, TVE_EXPAND);
    // Folders only, sorted by name; the file and the archive beside them are not listed.
    EXPECT_EQ(ChildLabels(tree_, picked), (std::vector<std::string>{"alpha", "Beta", "delta.v2", "gamma"}));
}

TEST(ShellTreeShortcut, ResolvesALinkToItsTarget)
{
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    const std::string target = PickFolder() + "\\alpha";
    const std::string linkPath = FixtureDir() + "\\chooser\\alpha.lnk";
    IShellLinkA* link = nullptr;
    ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                           IID_IShellLinkA, reinterpret_cast<void**>(&link))));
    link->SetPath(target.c_str());
    IPersistFile* file = nullptr;
    ASSERT_TRUE(SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))));
    std::wstring wide(linkPath.begin(), linkPath.end());
    EXPECT_TRUE(SUCCEEDED(file->Save(wide.c_str(), TRUE)));
    file->Release();
    link->Release();
    CoUninitialize();

    EXPECT_EQ(LowerAscii(target), LowerAscii(CShellTreeCtrl::ResolveShortcut(linkPath)));
    EXPECT_EQ("", CShellTreeCtrl::ResolveShortcut(PickFolder() + "\\zeta.txt"));
    EXPECT_EQ("", CShellTreeCtrl::ResolveShortcut(PickFolder() + "\\missing.lnk"));
}

// The chooser dialog, run modally, driven by a timer of this thread.
class WatchedChooser : public SelExportPathDlg {
public:
    WatchedChooser() : SelExportPathDlg(nullptr) {}
    int refused = 0;

protected:
    void RefuseChoice() override { ++refused; }
};

struct Script {
    WatchedChooser* dialog;
    std::vector<std::function<void(WatchedChooser&)>> steps;
    size_t next = 0;
};
Script* g_script = nullptr;

void CALLBACK RunStep(HWND, UINT, UINT_PTR, DWORD)
{
    if (!g_script || !g_script->dialog->GetSafeHwnd() || g_script->next >= g_script->steps.size())
        return;
    g_script->steps[g_script->next++](*g_script->dialog);
}

INT_PTR RunChooser(Script& script)
{
    g_script = &script;
    const UINT_PTR timer = SetTimer(nullptr, 0, 150, RunStep);
    const INT_PTR result = script.dialog->DoModal();
    KillTimer(nullptr, timer);
    g_script = nullptr;
    return result;
}

TEST(SelExportPathDlg, OkStoresTheChosenFolderInTheSession)
{
    WatchedChooser chooser;
    Script script{&chooser, {
        [](WatchedChooser& d) { ASSERT_TRUE(d.Tree().SelectFolder(PickFolder() + "\\delta.v2")); },
        [](WatchedChooser& d) { d.PostMessage(WM_COMMAND, SelExportPathDlg::kCmdConfirm, 0); },
    }};
    EXPECT_EQ(IDOK, RunChooser(script));
    EXPECT_EQ(0, chooser.refused);
    EXPECT_EQ(LowerAscii(PickFolder() + "\\delta.v2"), LowerAscii(chooser.GetChosenPath()));
    EXPECT_EQ(LowerAscii(PickFolder() + "\\delta.v2"),
              LowerAscii(ScanSession::Instance().GetExportPath()));
}

TEST(SelExportPathDlg, OkOnADriveFolderOfThePlainTreeStoresIt)
{
    WatchedChooser chooser;
    Script script{&chooser, {
        [](WatchedChooser& d) {
            d.Tree().PopulateFolders();
            ASSERT_TRUE(d.Tree().SelectFolder(PickFolder() + "\\alpha\\inner"));
        },
        [](WatchedChooser& d) { d.PostMessage(WM_COMMAND, SelExportPathDlg::kCmdConfirm, 0); },
    }};
    EXPECT_EQ(IDOK, RunChooser(script));
    EXPECT_EQ(0, chooser.refused);
    EXPECT_EQ(LowerAscii(PickFolder() + "\\alpha\\inner"), LowerAscii(ScanSession::Instance().GetExportPath()));
}

TEST(SelExportPathDlg, OkOnAVirtualItemDoesNotEndAndCloseLeavesTheSession)
{
    ASSERT_TRUE(ScanSession::Instance().SetExportPath(PickFolder()));
    WatchedChooser chooser;
    Script script{&chooser, {
        // My Computer: no file-system path, only a name.
        [](WatchedChooser& d) { d.Tree().SelectItem(d.Tree().ExpandMyComputer()); },
        [](WatchedChooser& d) { d.PostMessage(WM_COMMAND, SelExportPathDlg::kCmdConfirm, 0); },
        [](WatchedChooser& d) {
            EXPECT_EQ(1, d.refused);
            EXPECT_TRUE(d.IsWindowVisible());
            d.PostMessage(WM_COMMAND, 148, 0);  // the caption's close item
        },
    }};
    EXPECT_EQ(IDCANCEL, RunChooser(script));
    EXPECT_EQ(1, chooser.refused);
    EXPECT_FALSE(chooser.GetChosenPath().empty());
    EXPECT_EQ(PickFolder(), ScanSession::Instance().GetExportPath());
}

} // namespace
