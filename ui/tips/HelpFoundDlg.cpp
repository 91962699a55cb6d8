// ui/tips/HelpFoundDlg.cpp
#include "ui/tips/HelpFoundDlg.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include "app/LangString.h"
#include "app/ResourceHelper.h"
#include "app/SkinImage.h"
#include "uikit/dialog/SkinDialogTemplate.h"

namespace {
const int kLinkItem = 800;

void Text(HDC dc, const std::string& text, int left, int top, int right, int bottom, UINT format)
{
    RECT box = {left, top, right, bottom};
    DrawTextA(dc, text.c_str(), -1, &box, format);
}
} // namespace

HelpFoundDlg::HelpFoundDlg(CWnd* parent)
    : HomeBaseDialog((RegisterSkinDialogTemplates(), kPopupTemplateId), parent, false)
{
}

HelpFoundDlg::~HelpFoundDlg()
{
    delete image_;
}

BOOL HelpFoundDlg::OnInitDialog()
{
    HomeBaseDialog::OnInitDialog();
    LoadSkin("HelpFoundFile");
    if (!image_)
        image_ = LoadSkinImage("helpFound.png");
    if (UiCtrl::UiItem* item = FindClientItem(kLinkItem))
        item->SetVisible(1);
    return TRUE;
}

LRESULT HelpFoundDlg::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETCURSOR && ClientRouter().HoverItem() &&
        ClientRouter().HoverItem() == FindClientItem(kLinkItem))
        return 1;
    return HomeBaseDialog::DefWindowProc(message, wParam, lParam);
}

void HelpFoundDlg::DrawBackground(HDC memory)
{
    FillBottomStrip(memory, m_hWnd);
}

void HelpFoundDlg::DrawForeground(HDC memory)
{
    ResourceHelper& helper = ResourceHelper::Instance();
    HGDIOBJ oldFont = SelectObject(memory, helper.GetFont(17, 400, false));
    const COLORREF oldColour = SetTextColor(memory, 0xE78400);
    const int oldMode = SetBkMode(memory, TRANSPARENT);
    int y = 0;
    if (image_) {
        helper.DrawGdiImage(memory, image_, 20, 20);
        y = static_cast<int>(image_->GetHeight()) + 20;
    }
    Text(memory, GetLangString("HelpFoundFileStr1"), 20, y + 10, 650, y + 100, DT_WORDBREAK);
    // Below the "Extra files found" line (235 to 268), which it would otherwise overlap.
    Text(memory, GetLangString("HelpFoundFileStr3"), 20, 270, 650, 318, DT_WORDBREAK | DT_VCENTER);
    // The heading and the rest of its sentence share one line: the rest starts where the
    // heading, measured in its own font, ends, so a longer translation pushes it along
    // instead of being cut or drawn over.
    const std::string heading = GetLangString("ExtraFilesFound");
    SelectObject(memory, helper.GetFont(18, 400, false));
    RECT measured = {53, 235, 400, 268};
    DrawTextA(memory, heading.c_str(), -1, &measured, DT_CALCRECT | DT_SINGLELINE);
    const int headingRight = measured.right < 400 ? int(measured.right) : 400;
    SetTextColor(memory, 0x00A2FF);
    Text(memory, heading, 53, 235, headingRight, 268,
         DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    SelectObject(memory, helper.GetFont(17, 400, false));
    SetTextColor(memory, 0xE78400);
    Text(memory, GetLangString("HelpFoundFileStr2"), headingRight + 6, 235, 650, 268,
         DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    SelectObject(memory, helper.GetFont(16, 400, false));
    SetTextColor(memory, 0xDBBAAF);
    Text(memory, GetLangString("HelpFoundFileStr4"), 20, 320, 650, 350,
         DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    SetBkMode(memory, oldMode);
    SetTextColor(memory, oldColour);
    SelectObject(memory, oldFont);
    for (auto& entry : ClientItems())
        if (entry.second)
            entry.second->Draw(memory);
}
