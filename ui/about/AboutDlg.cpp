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
const int kVersionTop = 55;
const int kHomepageTop = 85;
const int kNoticeTop = 115;
const int kLineHeight = 20;
const int kValueOffset = 60;  // a value's left edge, from its label's left edge
const int kValueGap = 8;      // the least room between a label and its value

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
    PlaceValues();
    return TRUE;
}

int AboutDlg::LabelLeft() const
{
    return kLogoLeft + (logo_ ? static_cast<int>(logo_->GetWidth()) : 0) + 15;
}

// The values start one column right of the labels; a label longer than that column (as some
// languages have them) pushes both values along rather than running into them. The link is
// moved onto the home-page line beside its label.
void AboutDlg::PlaceValues()
{
    HDC screen = ::GetDC(nullptr);
    HGDIOBJ oldFont = SelectObject(screen, ResourceHelper::Instance().GetFont(16, 400, false));
    int widest = 0;
    for (const char* key : {"Version", "Homepage"}) {
        const std::string label = GetLangString(key);
        SIZE size = {};
        if (GetTextExtentPoint32A(screen, label.c_str(), static_cast<int>(label.size()), &size) &&
            size.cx > widest)
            widest = size.cx;
    }
    SelectObject(screen, oldFont);
    ::ReleaseDC(nullptr, screen);
    valueLeft_ = LabelLeft() + (widest + kValueGap > kValueOffset ? widest + kValueGap : kValueOffset);

    if (UiCtrl::UiItem* link = FindClientItem(kLinkItem)) {
        RECT box = {};
        link->GetRect(box);
        // The link is as wide as its text: it moves whole.
        box.right += valueLeft_ - box.left;
        box.left = valueLeft_;
        box.top = kHomepageTop;
        box.bottom = kHomepageTop + kLineHeight;
        link->SetRect(box);
    }
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
    if (logo_)
        helper.DrawGdiImage(memory, logo_, kLogoLeft, kLogoTop);
    const int left = LabelLeft();
    HGDIOBJ oldFont = SelectObject(memory, helper.GetFont(16, 400, false));
    const COLORREF oldColour = SetTextColor(memory, 0xEBC496);
    const int oldMode = SetBkMode(memory, TRANSPARENT);
    DrawLine(memory, GetLangString("Version").c_str(), left, kVersionTop, client.right,
             kVersionTop + kLineHeight);
    DrawLine(memory, GetLangString("Homepage").c_str(), left, kHomepageTop, client.right,
             kHomepageTop + kLineHeight);
    DrawLine(memory, productVersion_.c_str(), valueLeft_, kVersionTop, client.right,
             kVersionTop + kLineHeight);
    // Translations run longer than the English line: up to three lines, with the link now
    // on the home-page line above.
    const std::string noticeLine = GetLangString("AboutNotice");
    RECT notice = {left, kNoticeTop, client.right - 20, kNoticeTop + 3 * kLineHeight};
    DrawTextA(memory, noticeLine.c_str(), -1, &notice, DT_WORDBREAK);
    SetBkMode(memory, oldMode);
    SetTextColor(memory, oldColour);
    SelectObject(memory, oldFont);
}
