// ui/chooser/SelExportPathDlg.h
// The folder chooser of the start page: a skinned dialog holding the shell folder tree. OK
// ends it only on an existing folder given by an absolute path, which it stores as the scan
// session's folder; the caption's close item cancels and leaves the session as it was.
#pragma once
#include <string>

#include "ui/chooser/ShellTreeCtrl.h"
#include "uikit/dialog/HomeBaseDialog.h"

class SelExportPathDlg : public HomeBaseDialog
{
public:
    enum { kCmdConfirm = 100, kTreeId = 1001 };
    static const COLORREF kBackground = 0x423129;

    explicit SelExportPathDlg(CWnd* parent);
    ~SelExportPathDlg() override;

    // What the tree reported last: a folder path, or a display name for a virtual item.
    const std::string& GetChosenPath() const { return chosenPath_; }
    CShellTreeCtrl& Tree() { return tree_; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void DrawBackground(HDC memory) override;
    // Told when OK was pressed on something that is not a folder; a host may watch it.
    virtual void RefuseChoice();

private:
    static void OnTreeSelect(void* owner, const char* path);

    std::string chosenPath_;
    CShellTreeCtrl tree_;
    HBITMAP scrollSkin_ = nullptr;  // the tree's skinned scroll bars draw from it
};
