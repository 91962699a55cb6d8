// ui/dialogs/RemoveFileFinishDlg.h
// The notice after a removal: the removed files are in the recycle bin (the text given, else
// language text "movedtoRec"). Its button (100) or the close item ends it. The words for the recycle bin (language text "RecycleBinPhrase")
// are drawn in the link colour where the translated notice has them.
#pragma once
#include <string>

#include "ui/dialogs/NoticeDialog.h"

class RemoveFileFinishDlg : public NoticeDialog
{
public:
    explicit RemoveFileFinishDlg(CWnd* parent, const std::string& text = std::string());

    // The text it shows.
    std::string Text() const;
    // Where the phrase was drawn last (client coordinates); empty when the text lacks it.
    const RECT& HighlightRect() const { return highlight_; }

protected:
    void DrawBackground(HDC memory) override;

private:
    std::string text_;
    RECT highlight_ = {0, 0, 0, 0};
};
