// ui/results/ICallBack.h
// How a result tree reports to the page that owns it. The marks live in the shared
// ResultModel, so the page learns only that they changed and repaints what shows them.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <stdint.h>

#include <string>

class FileTreeCtrl;
struct TreeItemLink;

class ICallBack
{
public:
    virtual ~ICallBack() = default;
    // The checked files of a tree changed: the page rereads the selection summary.
    virtual void OnSelectionChanged() = 0;
    // One file to the recycle bin, when it can still be opened for reading.
    virtual void DeleteFile(const std::string& path) = 0;
    // A command for the page's parent.
    virtual void NotifyOwner(WPARAM command) = 0;
    // The current file may have changed: open button and details.
    virtual void Repaint() = 0;
    // A group's file rows were just inserted.
    virtual void ExpandGroup(HTREEITEM item, FileTreeCtrl* tree) = 0;
    // A group was checked from its box: every file but the one kept is now checked.
    virtual void AutoSelectGroup(HTREEITEM item, FileTreeCtrl* tree) = 0;
    // A group's mark was set or cleared from its check box.
    virtual void OnCheckChanged(HTREEITEM item, int checked, FileTreeCtrl* tree) = 0;
    // Files of a category left the results: captions follow.
    virtual void OnFileRemoved(int category, int64_t size, int count) = 0;
    // A row left a tree (isGroup: a group row with its file rows).
    virtual void OnGroupRemoved(HTREEITEM item, TreeItemLink* link, FileTreeCtrl* tree, bool isGroup) = 0;
};
