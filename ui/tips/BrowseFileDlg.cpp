// ui/tips/BrowseFileDlg.cpp
#include "ui/tips/BrowseFileDlg.h"

#include "app/LangString.h"
#include "uikit/dialog/SkinDialogTemplate.h"
#include "uikit/widget/WidgetSupport.h"

namespace {
const int kCloseItem = 800;
} // namespace

BrowseFileDlg::BrowseFileDlg(CWnd* parent)
    : HomeBaseDialog((RegisterSkinDialogTemplates(), kPopupTemplateId), parent, true)
{
}

BOOL BrowseFileDlg::OnInitDialog()
{
    HomeBaseDialog::OnInitDialog();
    LoadSkin("BrowseFileDlg");
    ::SetWindowTextA(m_hWnd, GetLangString("BrowserTxt").c_str());
    if (UiCtrl::UiItem* item = FindClientItem(kCloseItem))
        item->SetVisible(1);
    return TRUE;
}

BOOL BrowseFileDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    if (id == kCloseItem || id == 148) {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    return HomeBaseDialog::OnCommand(wParam, lParam);
}

void BrowseFileDlg::DrawBackground(HDC memory)
{
    RECT band;
    GetClientRect(&band);
    band.top = band.bottom - 45;
    band.left += 1;
    band.right -= 1;
    UiCtrl::FillWithColour(memory, band, 0x31241E);
}
