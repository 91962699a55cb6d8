// ui/dialogs/RemoveFileFinishDlg.h
// The notice after a removal: the removed files are in the recycle bin. Its button (100) or
// the close item ends it.
#pragma once
#include "uikit/dialog/HomeBaseDialog.h"

namespace Gdiplus {
class Image;
}

// The words of the notice that are drawn in the link colour, when the translation has them.
constexpr char kRecycleBinPhrase[] = "recycle bin";

class RemoveFileFinishDlg : public HomeBaseDialog
{
public:
    explicit RemoveFileFinishDlg(CWnd* parent);
    ~RemoveFileFinishDlg() override;

    // Where the phrase was drawn last (client coordinates); empty when the text lacks it.
    const RECT& HighlightRect() const { return highlight_; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void DrawBackground(HDC memory) override;

private:
    Gdiplus::Image* picture_ = nullptr;
    RECT highlight_ = {0, 0, 0, 0};
};
