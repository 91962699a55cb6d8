// ui/dialogs/CleaningTipDlg.cpp
#include "ui/dialogs/CleaningTipDlg.h"

#include "app/LangString.h"
#include "app/ResourceHelper.h"
#include "app/SafeFormat.h"
#include "ui/dialogs/WrappedText.h"

namespace {

const COLORREF kCountColour = 0x9DD510;

} // namespace

CleaningTipDlg::CleaningTipDlg(CWnd* parent, const std::atomic<int>* done, int total, std::atomic<int>* stop,
                               const std::atomic<int>* finished)
    : CommonTipDlg(parent, GetLangString("Cleaning").c_str(), finished, "CleaningTipDlg"), done_(done),
      total_(total), stop_(stop)
{
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
    return CommonTipDlg::OnCommand(wParam, lParam);
}

void CleaningTipDlg::DrawBackground(HDC memory)
{
    const RECT textRect = DrawTip(memory, stop_->load() ? GetLangString("CleaningStopping") : Text());
    countText_ = FormatLangCount("CleaningCount", total_, done_->load(), total_);
    RECT countRect = {textRect.left, textRect.top + 42, textRect.right, textRect.top + 66};
    WrappedText::Draw(memory, countText_, countRect, ResourceHelper::Instance().GetFont(17, 400, false),
                      kCountColour);
}
