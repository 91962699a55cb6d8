// ui/dialogs/CleaningTipDlg.cpp
#include "ui/dialogs/CleaningTipDlg.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include "app/LangString.h"
#include "app/ResourceHelper.h"
#include "app/SafeFormat.h"
#include "ui/dialogs/FrameAnimation.h"
#include "ui/dialogs/WrappedText.h"
#include "uikit/widget/WidgetSupport.h"

namespace {

const COLORREF kBackground = 0x3B2B24;
const COLORREF kTextColour = 0xF6C5C5;
const COLORREF kCountColour = 0x9DD510;

} // namespace

CleaningTipDlg::CleaningTipDlg(CWnd* parent, const std::atomic<int>* done, int total, std::atomic<int>* stop,
                               const std::atomic<int>* finished)
    : BusyWaitDialog(parent, finished, "CleaningTipDlg", "loading_common_tip.gif"), done_(done), total_(total),
      stop_(stop)
{
}

BOOL CleaningTipDlg::OnInitDialog()
{
    BusyWaitDialog::OnInitDialog();
    if (UiCtrl::UiItem* close = FindCaptionItem(148))
        close->SetVisible(0);
    SetWindowText("");
    return TRUE;
}

BOOL CleaningTipDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == kStopButton) {
        // The worker finishes the files it holds and tells the rest as not removed.
        stop_->store(1);
        if (UiCtrl::UiItem* stop = FindClientItem(kStopButton))
            stop->Enable(0);
        Invalidate(FALSE);
        return TRUE;
    }
    return BusyWaitDialog::OnCommand(wParam, lParam);
}

void CleaningTipDlg::DrawBackground(HDC memory)
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
    const std::string text = GetLangString(stop_->load() ? "CleaningStopping" : "Cleaning");
    RECT textRect = {x + width + 5, inner.top, inner.right - 13, inner.top + 40};
    WrappedText::Draw(memory, text, textRect, resources.GetFont(17, 400, false), kTextColour);
    countText_ = FormatLangString("CleaningCount", "%d of %d", done_->load(), total_);
    RECT countRect = {x + width + 5, inner.top + 42, inner.right - 13, inner.top + 66};
    WrappedText::Draw(memory, countText_, countRect, resources.GetFont(17, 400, false), kCountColour);
}
