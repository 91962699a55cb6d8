// ui/dialogs/NotFindFileDlg.cpp
#include "ui/dialogs/NotFindFileDlg.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <algorithm>

#include "app/LangString.h"
#include "app/ResourceHelper.h"
#include "app/SkinImage.h"

namespace {

const COLORREF kBackground = 0x423129;
const COLORREF kTextColour = 0xEBC496;
const int kButton = 100;

} // namespace

NotFindFileDlg::NotFindFileDlg(CWnd* parent) : HomeBaseDialog(kPopupTemplateId, parent, true) {}

NotFindFileDlg::~NotFindFileDlg()
{
    delete warning_;
}

BOOL NotFindFileDlg::OnInitDialog()
{
    HomeBaseDialog::OnInitDialog();
    LoadSkin("NotFindFileDlg");
    delete warning_;
    warning_ = LoadSkinImage("warning.png");
    return TRUE;
}

BOOL NotFindFileDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    if (id == IDCANCEL || id == kButton) {
        EndDialog(2);
        return TRUE;
    }
    return HomeBaseDialog::OnCommand(wParam, lParam);
}

void NotFindFileDlg::DrawBackground(HDC memory)
{
    RECT client;
    GetClientRect(&client);
    HBRUSH brush = CreateSolidBrush(kBackground);
    FillRect(memory, &client, brush);
    DeleteObject(brush);

    ResourceHelper& resources = ResourceHelper::Instance();
    const int x = client.left + 40, y = client.top + 42;
    resources.DrawGdiImage(memory, warning_, x, y);
    const int textLeft = x + (warning_ ? static_cast<int>(warning_->GetWidth()) : 48) + 5;
    const int textRight = std::min<int>(textLeft + 550, client.right - 13);
    RECT title = {textLeft, y - 7, textRight, y + 23};
    resources.DrawString(memory, GetLangString("notFoundFiles").c_str(), title, kTextColour, 24,
                         400, DT_WORDBREAK | DT_NOPREFIX);
    RECT note = {textLeft, title.bottom, textRight, title.bottom + 60};
    resources.DrawString(memory, GetLangString("notFoundFilesCaption").c_str(), note,
                         kTextColour, 20, 400, DT_WORDBREAK | DT_NOPREFIX);
}
