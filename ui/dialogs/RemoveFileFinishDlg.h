// ui/dialogs/RemoveFileFinishDlg.h
// The notice after a removal: the removed files are in the recycle bin. Its button (100) or
// the close item ends it.
#pragma once
#include "ui/dialogs/NoticeDialog.h"

// The words of the notice that are drawn in the link colour, when the translation has them.
constexpr char kRecycleBinPhrase[] = "recycle bin";

class RemoveFileFinishDlg : public NoticeDialog
{
public:
    explicit RemoveFileFinishDlg(CWnd* parent);

    // Where the phrase was drawn last (client coordinates); empty when the text lacks it.
    const RECT& HighlightRect() const { return highlight_; }

protected:
    void DrawBackground(HDC memory) override;

private:
    RECT highlight_ = {0, 0, 0, 0};
};
