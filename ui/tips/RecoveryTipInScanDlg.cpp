// ui/tips/RecoveryTipInScanDlg.cpp
#include "ui/tips/RecoveryTipInScanDlg.h"

#include "app/LangString.h"
#include "app/ResourceHelper.h"
#include "ui/tips/TipSwitch.h"
#include "uikit/dialog/SkinDialogTemplate.h"

namespace {
const int kOk = 800;
const int kCancel = 801;
const int kDontShow = 802;
const int kPicture = 293;
} // namespace

RecoveryTipInScanDlg::RecoveryTipInScanDlg(CWnd* parent)
    : HomeBaseDialog((RegisterSkinDialogTemplates(), kPopupTemplateId), parent, true)
{
}

BOOL RecoveryTipInScanDlg::OnInitDialog()
{
    HomeBaseDialog::OnInitDialog();
    LoadSkin("RecoveryTipInScan");
    return TRUE;
}

BOOL RecoveryTipInScanDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case kOk:
        EndDialog(IDOK);
        return TRUE;
    case kCancel:
        EndDialog(IDCANCEL);
        return TRUE;
    case kDontShow:
        StoreTipSwitch("ShowTip", IsItemChecked(FindClientItem(kDontShow)));
        return TRUE;
    }
    return HomeBaseDialog::OnCommand(wParam, lParam);
}

void RecoveryTipInScanDlg::DrawBackground(HDC memory)
{
    FillBottomStrip(memory, m_hWnd);
}

void RecoveryTipInScanDlg::DrawForeground(HDC memory)
{
    ResourceHelper& helper = ResourceHelper::Instance();
    helper.DrawPicture(memory, helper.LoadPicture(kPicture, 2), 30, 40, 95, 105, 0);
    RECT box = {100, 50, 450, 130};
    // Black on the dark dialog fill could not be read: the dialogs' message colour instead.
    helper.DrawString(memory, GetLangString("RecoveryTipInScan").c_str(), box, 0xDBBAAF, 17,
                      400, DT_WORDBREAK);
}
