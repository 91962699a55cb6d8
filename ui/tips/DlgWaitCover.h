// ui/tips/DlgWaitCover.h
// A plain "Please wait..." cover; the message kEndWaitCover (0x7F5) ends it with 0.
#pragma once
#include "mfc/Mfc.h"

const UINT kEndWaitCover = 0x7F5;

class CDlgWaitCover : public CDialog
{
public:
    explicit CDlgWaitCover(CWnd* parent);

protected:
    LRESULT OnEndCover(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()
};
