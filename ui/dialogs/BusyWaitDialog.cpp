// ui/dialogs/BusyWaitDialog.cpp
#include "ui/dialogs/BusyWaitDialog.h"

#include "app/SkinImage.h"
#include "ui/dialogs/FrameAnimation.h"

BEGIN_MESSAGE_MAP(BusyWaitDialog, HomeBaseDialog)
    ON_WM_TIMER()
END_MESSAGE_MAP()

BusyWaitDialog::BusyWaitDialog(CWnd* parent, const std::atomic<int>* done, const char* layout,
                               const char* animation)
    : HomeBaseDialog(kPopupTemplateId, parent, true), done_(done), layout_(layout),
      animationName_(animation)
{
}

BusyWaitDialog::~BusyWaitDialog()
{
    delete animation_;
}

BOOL BusyWaitDialog::OnInitDialog()
{
    HomeBaseDialog::OnInitDialog();
    LoadSkin(layout_.c_str());
    delete animation_;   // a second DoModal starts afresh
    animation_ = LoadSkinImage(animationName_.c_str());
    frameCount_ = CountFrames(animation_);
    frameIndex_ = 0;
    ticks_ = 0;
    // The caption's close item cannot end the wait.
    if (UiCtrl::UiItem* close = FindCaptionItem(148))
        close->Enable(0);
    timing_ = SetTimer(kTimerId, kTickMs) != 0;
    return TRUE;
}

bool BusyWaitDialog::CloseIfDone()
{
    if (!IsDone())
        return false;
    if (timing_)
        KillTimer(kTimerId);
    timing_ = false;
    EndDialog(2);
    return true;
}

void BusyWaitDialog::OnTimer(UINT_PTR id)
{
    if (id != kTimerId)
        return;
    ++ticks_;
    frameIndex_ = NextFrame(frameIndex_, frameCount_);
    if (CloseIfDone())
        return;
    Invalidate(FALSE);
}

BOOL BusyWaitDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    // Closing is the worker's call: a close asked for earlier is dropped, not remembered.
    if (id == IDOK || id == IDCANCEL || id == 148) {
        CloseIfDone();
        return TRUE;
    }
    return HomeBaseDialog::OnCommand(wParam, lParam);
}

void BusyWaitDialog::OnOK()
{
    CloseIfDone();
}

void BusyWaitDialog::OnCancel()
{
    CloseIfDone();
}
