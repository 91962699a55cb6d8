// ui/dialogs/NotFindFileDlg.h
// The notice that a scan found no duplicates; its button (100) or the close item ends it.
#pragma once
#include "ui/dialogs/NoticeDialog.h"

class NotFindFileDlg : public NoticeDialog
{
public:
    explicit NotFindFileDlg(CWnd* parent);

protected:
    void DrawBackground(HDC memory) override;
};
