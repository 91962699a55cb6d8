// ui/about/AboutDlg.cpp
#include "ui/about/AboutDlg.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include "app/LangString.h"
#include "app/ResourceHelper.h"
#include "app/SkinImage.h"
#include "uikit/dialog/SkinDialogTemplate.h"
#include "ui/about/ProductVersion.h"

namespace {
const int kLinkItem = 800;
const int kLogoLeft = 40;
const int kLogoTop = 50;
const wchar_t kNoticeLine[] = L"Removed files go to the recycle bin.";

void DrawLine(HDC dc, const char* text, int left, int top, int right, int bottom)
{
    RECT box = {left, top, right, bottom};
    DrawTextA(dc, text, -1, &box, DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}
} // namespace

AboutDlg::AboutDlg(CWnd* parent)     : HomeBaseDialog((RegisterSkinDialogTemplates(), kPopupTemplateId), parent, true)
{
}

AboutDlg::~AboutDlg()
{
    delete logo_;
}

BOOL AboutDlg::OnInitDialog()
{
    HomeBaseDialog::OnInitDialog();
    LoadSkin("About");
    if (!logo_)
        logo_ = LoadSkinImage("about_logo.png");
    char path[MAX_PATH] = "";
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    // A path cut short names some other file.
    if (length > 0 && length < MAX_PATH)
        GetProductVersion(path, productVersion_, legalCopyright_);
    return TRUE;
}

LRESULT AboutDlg::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The link shows its own hand cursor.
    if (message == WM_SETCURSOR && ClientRouter().HoverItem() &&
        ClientRouter().HoverItem() == FindClientItem(kLinkItem))
        return 1;
    return HomeBaseDialog::DefWindowProc(message, wParam, lParam);
}

void AboutDlg::DrawBackground(HDC memory)
{
    RECT client;
    GetClientRect(&client);
    client.left += 1;
    client.right -= 1;
    client.bottom -= 1;
    HBRUSH brush = CreateSolidBrush(0x423129);
    FillRect(memory, &client, brush);
    DeleteObject(brush);
}

void AboutDlg::DrawForeground(HDC memory)
{
    ResourceHelper& helper = ResourceHelper::Instance();
    RECT client;
    GetClientRect(&client);
    int logoWidth = 0;
    if (logo_) {
        helper.DrawGdiImage(memory, logo_, kLogoLeft, kLogoTop);
        logoWidth = static_cast<int>(logo_->GetWidth());
    }
    const int left = kLogoLeft + logoWidth + 15;
    HGDIOBJ oldFont = SelectObject(memory, helper.GetFont(16, 400, false));
    const COLORREF oldColour = SetTextColor(memory, 0xEBC496);
    const int oldMode = SetBkMode(memory, TRANSPARENT);
    DrawLine(memory, GetLangString("Version").c_str(), left, 55, client.right, 75);
    DrawLine(memory, GetLangString("Homepage").c_str(), left, 85, client.right, 105);
    DrawLine(memory, productVersion_.c_str(), left + 60, 55, client.right, 75);
    RECT notice = {left, 115, client.right, 135};
    DrawTextW(memory, kNoticeLine, -1, &notice, DT_WORDBREAK);
    SetBkMode(memory, oldMode);
    SetTextColor(memory, oldColour);
    SelectObject(memory, oldFont);
}
