// ui/dialogs/BusyWaitDialog.h
// A modal skinned dialog that stands while a worker thread runs: it animates a picture on a
// 100 ms timer and ends itself with 2 at the first tick after the worker's flag is set.
// Until then every way of closing it (its buttons, the caption's close item, WM_CLOSE,
// Alt+F4, IDCANCEL, IDOK) is ignored: the caller's next step must not race the worker.
#pragma once
#include <atomic>
#include <string>

#include "uikit/dialog/HomeBaseDialog.h"

namespace Gdiplus {
class Image;
}

class BusyWaitDialog : public HomeBaseDialog
{
public:
    static const UINT_PTR kTimerId = 1;
    static const UINT kTickMs = 100;

    // done: set to non-zero by the worker, once; never null. layout: the "Resource.xml"
    // element; animation: the skin picture that moves.
    BusyWaitDialog(CWnd* parent, const std::atomic<int>* done, const char* layout,
                   const char* animation);
    ~BusyWaitDialog() override;

    UINT FrameIndex() const { return frameIndex_; }
    UINT FrameCount() const { return frameCount_; }
    int Ticks() const { return ticks_; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;
    void OnCancel() override;
    void OnTimer(UINT_PTR id);
    // Ends the dialog with 2 when the flag is set; true then.
    bool CloseIfDone();
    bool IsDone() const { return done_->load() != 0; }
    Gdiplus::Image* Animation() const { return animation_; }
    DECLARE_MESSAGE_MAP()

private:
    const std::atomic<int>* done_;
    std::string layout_, animationName_;
    Gdiplus::Image* animation_ = nullptr;
    UINT frameIndex_ = 0;
    UINT frameCount_ = 1;
    int ticks_ = 0;
    bool timing_ = false;
};
