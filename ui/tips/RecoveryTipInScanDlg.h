// ui/tips/RecoveryTipInScanDlg.h
// A tip shown during a scan with a "do not show again" box (802, "ShowTip"): 800 ends with
// IDOK, 801 with IDCANCEL.
#pragma once
#include "uikit/dialog/HomeBaseDialog.h"

class RecoveryTipInScanDlg : public HomeBaseDialog
{
public:
    explicit RecoveryTipInScanDlg(CWnd* parent);

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void DrawBackground(HDC memory) override;
    void DrawForeground(HDC memory) override;
};
