// ui/results/ICallBack.h
// How a result tree reports to the page that owns it. The marks live in the shared
// ResultModel, so the page learns only that they changed and repaints what shows them.
#pragma once
#include <windows.h>
#include <commctrl.h>

class FileTreeCtrl;

class ICallBack
{
public:
    virtual ~ICallBack() = default;
    // The checked files of a tree changed: the page rereads the selection summary.
    virtual void OnSelectionChanged() = 0;
    // The current file may have changed: open button and details.
    virtual void Repaint() = 0;
    // A group's file rows were just inserted.
    virtual void ExpandGroup(HTREEITEM item, FileTreeCtrl* tree) = 0;
    // A group's mark was set or cleared from its check box.
    virtual void OnCheckChanged(HTREEITEM item, int checked, FileTreeCtrl* tree) = 0;
};
