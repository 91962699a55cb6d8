// ui/dialogs/CommonTipDlg.cpp
#include "ui/dialogs/CommonTipDlg.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include "app/ResourceHelper.h"
#include "ui/dialogs/FrameAnimation.h"
#include "ui/dialogs/WrappedText.h"
#include "uikit/widget/WidgetSupport.h"

namespace {

const COLORREF kBackground = 0x3B2B24;
const COLORREF kTextColour = 0xF6C5C5;

} // namespace

CommonTipDlg::CommonTipDlg(CWnd* parent, const char* text, const std::atomic<int>* done)
    : CommonTipDlg(parent, text, done, "CommonTipDlg")
{
}

CommonTipDlg::CommonTipDlg(CWnd* parent, const char* text, const std::atomic<int>* done, const char* layout)
    : BusyWaitDialog(parent, done, layout, "loading_common_tip.gif"), text_(text ? text : "")
{
}

BOOL CommonTipDlg::OnInitDialog()
{
    BusyWaitDialog::OnInitDialog();
    if (UiCtrl::UiItem* close = FindCaptionItem(148))
        close->SetVisible(0);
    SetWindowText("");
    return TRUE;
}

void CommonTipDlg::DrawBackground(HDC memory)
{
    DrawTip(memory, text_);
}

RECT CommonTipDlg::DrawTip(HDC memory, const std::string& text)
{
    RECT client;
    GetClientRect(&client);
    RECT inner = {client.left + 1, client.top, client.right - 1, client.bottom};
    UiCtrl::FillWithColour(memory, inner, kBackground);

    ResourceHelper& resources = ResourceHelper::Instance();
    Gdiplus::Image* animation = Animation();
    const int x = inner.left + 20;
    int width = 40;
    if (animation) {
        SelectFrame(animation, FrameIndex());
        resources.DrawGdiImage(memory, animation, x, inner.top);
        width = static_cast<int>(animation->GetWidth());
    }
    RECT textRect = {x + width + 5, inner.top, inner.right - 13, inner.top + 40};
    WrappedText::Draw(memory, text, textRect, resources.GetFont(17, 400, false), kTextColour);
    return textRect;
}
