// ui/tips/DlgWaitCover.cpp
#include "ui/tips/DlgWaitCover.h"

#include "ui/tips/TipTemplates.h"

BEGIN_MESSAGE_MAP(CDlgWaitCover, CDialog)
    ON_MESSAGE(kEndWaitCover, &CDlgWaitCover::OnEndCover)
END_MESSAGE_MAP()

CDlgWaitCover::CDlgWaitCover(CWnd* parent)
    : CDialog((RegisterTipDialogTemplates(), kWaitCoverTemplateId), parent)
{
}

LRESULT CDlgWaitCover::OnEndCover(WPARAM, LPARAM)
{
    EndDialog(0);
    return 0;
}
