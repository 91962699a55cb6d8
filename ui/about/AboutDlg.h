// ui/about/AboutDlg.h
// The "About" box: the logo, the program's product version from its own version resource,
// the home-page link (item 800 of layout "About") beside its label, and the notice line
// "AboutNotice".
#pragma once
#include <string>

#include "uikit/dialog/HomeBaseDialog.h"

namespace Gdiplus {
class Image;
}

class AboutDlg : public HomeBaseDialog
{
public:
    explicit AboutDlg(CWnd* parent);
    ~AboutDlg() override;

    const std::string& ProductVersionText() const { return productVersion_; }
    // Where the version and the link begin: right of the longer of their two labels.
    int ValueLeft() const { return valueLeft_; }
    int LabelLeft() const;

protected:
    BOOL OnInitDialog() override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DrawBackground(HDC memory) override;
    void DrawForeground(HDC memory) override;

private:
    void PlaceValues();

    std::string productVersion_;
    std::string legalCopyright_;
    Gdiplus::Image* logo_ = nullptr;
    int valueLeft_ = 0;
};
