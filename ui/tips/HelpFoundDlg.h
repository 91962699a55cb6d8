// ui/tips/HelpFoundDlg.h
// A help notice about extra files found, with the picture "helpFound.png" and four texts.
#pragma once
#include "uikit/dialog/HomeBaseDialog.h"

namespace Gdiplus {
class Image;
}

class HelpFoundDlg : public HomeBaseDialog
{
public:
    explicit HelpFoundDlg(CWnd* parent);
    ~HelpFoundDlg() override;

protected:
    BOOL OnInitDialog() override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DrawBackground(HDC memory) override;
    void DrawForeground(HDC memory) override;

private:
    Gdiplus::Image* image_ = nullptr;
};
