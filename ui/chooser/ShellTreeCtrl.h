// ui/chooser/ShellTreeCtrl.h
// A tree of the shell namespace rooted at the desktop, folders only: clutter hidden (Control
// Panel, Recycle Bin, virtual and optical places), drives labelled with their free space,
// children read when a node is first expanded, and the file-system path of the selection
// reported to a callback.
#pragma once
#include <shlobj.h>

#include <string>

#include "mfc/Mfc.h"
#include "mfc/TreeCtrl.h"

class CShellTreeCtrl : public CTreeCtrl
{
public:
    typedef void (*SelectCallback)(void* owner, const char* path);

    CShellTreeCtrl();
    ~CShellTreeCtrl() override;

    void SetSelectCallback(SelectCallback callback, void* owner);
    // Clears the tree and shows the desktop, expanded. foldersOnly false lists files too.
    // Where the shell has no desktop (a profile without a Desktop folder), the tree lists the
    // user's folders and the drives instead (PopulateFolders).
    void Populate(bool foldersOnly);
    // The tree without the shell namespace: the user's own folders that exist, then each
    // drive (no optical ones) with its free space; their folders read from the disk.
    void PopulateFolders();
    bool ShowsPlainFolders() const { return plainFolders_; }
    // Expands the computer folder under the root; its node, or null.
    HTREEITEM ExpandMyComputer();

    // The file-system path of a node ("" for a virtual one) and its absolute item list (null
    // for every node of the plain folder tree).
    std::string GetItemPath(HTREEITEM item) const;
    LPCITEMIDLIST GetItemIdList(HTREEITEM item) const;
    // The child of parent whose path is path (case ignored), expanding parent first; null
    // when there is none.
    HTREEITEM FindChildByPath(HTREEITEM parent, const std::string& path);
    // Selects the node of an existing folder by walking down from the computer folder; the
    // node, or null when a step is not listed.
    HTREEITEM SelectFolder(const std::string& path);

    // The target of the shell link file at path (network neighbourhood entries are such
    // links); "" when path is no link or names no target.
    static std::string ResolveShortcut(const std::string& path);

    // How wide a drive's name is padded before its free-space text.
    static const int kDriveLabelWidth = 160;

protected:
    void OnItemExpanding(NMHDR* header, LRESULT* result);
    void OnSelChanged(NMHDR* header, LRESULT* result);
    void OnDeleteItem(NMHDR* header, LRESULT* result);
    // The item lists go before the window and, always, before the shell allocator.
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void FreeItemLists(HTREEITEM first);
    void FillChildren(HTREEITEM parent);
    void FillFolderChildren(HTREEITEM parent);
    HTREEITEM InsertFolder(HTREEITEM parent, const std::string& path, const std::string& label);
    // A node with a button until it is opened; data is its item list or folder path.
    HTREEITEM InsertNode(HTREEITEM parent, const std::string& text, int icon, LPARAM data);
    // name padded to kDriveLabelWidth, then the drive's free space.
    std::string DriveLabel(const std::string& root, const std::string& name);
    // The label, child flag and pictures of an item; false when it is not to be listed.
    bool DescribeItem(IShellFolder* parentFolder, LPCITEMIDLIST childId, LPITEMIDLIST absolute,
                      TVINSERTSTRUCTA& insert, std::string& text);
    bool IsSpecialFolder(LPCITEMIDLIST absolute) const;
    int MeasureText(const std::string& text) const;
    static int CALLBACK CompareChildren(LPARAM first, LPARAM second, LPARAM folder);
    static std::string PathOf(LPCITEMIDLIST idList);
    static std::string DisplayNameOf(IShellFolder* folder, LPCITEMIDLIST childId, DWORD flags);

    SelectCallback callback_ = nullptr;
    void* owner_ = nullptr;
    IShellFolder* desktop_ = nullptr;
    std::string netHoodPath_;
    std::string controlPanelName_;
    LPITEMIDLIST specialFolders_[3] = {};  // Control Panel, Recycle Bin, Internet
    DWORD enumFlags_ = SHCONTF_FOLDERS;
    // The nodes hold folder paths (CoTaskMemAlloc'ed texts) in place of item lists.
    bool plainFolders_ = false;
};
