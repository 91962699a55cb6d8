// ui/dialogs/RemoveFileFinishDlg.cpp
#include "ui/dialogs/RemoveFileFinishDlg.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include "app/LangString.h"
#include "app/ResourceHelper.h"
#include "app/SkinImage.h"
#include "ui/dialogs/WrappedText.h"

namespace {

const COLORREF kBackground = 0x423129;
const COLORREF kTextColour = 0xF1CDC2;
const COLORREF kPhraseColour = 0x5388FF;
const int kButton = 100;

} // namespace

RemoveFileFinishDlg::RemoveFileFinishDlg(CWnd* parent)
    : HomeBaseDialog(kPopupTemplateId, parent, true)
{
}

RemoveFileFinishDlg::~RemoveFileFinishDlg()
{
    delete picture_;
}

BOOL RemoveFileFinishDlg::OnInitDialog()
{
    HomeBaseDialog::OnInitDialog();
    LoadSkin("RemoveFileFinishDlg");
    delete picture_;
    picture_ = LoadSkinImage("remove_finished.png");
    return TRUE;
}

BOOL RemoveFileFinishDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    if (id == IDCANCEL || id == kButton) {
        EndDialog(2);
        return TRUE;
    }
    return HomeBaseDialog::OnCommand(wParam, lParam);
}

void RemoveFileFinishDlg::DrawBackground(HDC memory)
{
    RECT client;
    GetClientRect(&client);
    RECT inner = {client.left + 1, client.top, client.right - 1, client.bottom};
    HBRUSH brush = CreateSolidBrush(kBackground);
    FillRect(memory, &inner, brush);
    DeleteObject(brush);

    ResourceHelper& resources = ResourceHelper::Instance();
    const int x = client.left + 20, y = client.top + 22;
    resources.DrawGdiImage(memory, picture_, x, y);
    const int width = picture_ ? static_cast<int>(picture_->GetWidth()) : 48;
    // The phrase is found in the translated text itself: other languages say it otherwise,
    // and then nothing is highlighted.
    RECT textRect = {x + width + 5, y + 5, client.right - 13, y + 45};
    highlight_ = WrappedText::Draw(memory, GetLangString("movedtoRec"), textRect,
                                   resources.GetFont(18, 400, false), kTextColour,
                                   kRecycleBinPhrase, kPhraseColour);
}
