// ui/dialogs/NotFindFileDlg.h
// The notice that a scan found no duplicates; its button (100) or the close item ends it.
#pragma once
#include "uikit/dialog/HomeBaseDialog.h"

namespace Gdiplus {
class Image;
}

class NotFindFileDlg : public HomeBaseDialog
{
public:
    explicit NotFindFileDlg(CWnd* parent);
    ~NotFindFileDlg() override;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void DrawBackground(HDC memory) override;

private:
    Gdiplus::Image* warning_ = nullptr;
};
