// ui/tips/BrowseFileDlg.h
// A skinned box titled "BrowserTxt" whose item 800 and caption close end it with IDCANCEL.
#pragma once
#include "uikit/dialog/HomeBaseDialog.h"

class BrowseFileDlg : public HomeBaseDialog
{
public:
    explicit BrowseFileDlg(CWnd* parent);

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void DrawBackground(HDC memory) override;
};
