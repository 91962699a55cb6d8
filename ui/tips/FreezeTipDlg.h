// ui/tips/FreezeTipDlg.h
// An animated busy notice (bitmaps 441 to 476) that ends itself with IDOK once the caller's
// busy flag drops to 0. The caller sets the number (-1: none), the flag, the text and the
// format key before DoModal. Esc and Enter do not close it.
#pragma once
#include <atomic>
#include <string>

#include "mfc/Mfc.h"
#include "uikit/draw/MemorySurface.h"
#include "ui/tips/FreezeTipLayout.h"

class FreezeTipDlg : public CDialog
{
public:
    explicit FreezeTipDlg(CWnd* parent);
    ~FreezeTipDlg() override;

    // -1: the shown text is the caller's text (or "Wait4Search"); else the format key's
    // language string with this number.
    int number = 0;
    // Null: the notice never ends by itself.
    const std::atomic<unsigned>* busy = nullptr;
    std::string text;
    std::string formatKey;

    const std::string& ShownText() const { return shown_; }
    int Frame() const { return frame_; }

protected:
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnTimer(UINT_PTR id);
    void OnPaint();
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    std::string shown_;
    FreezeTipLayout layout_ = {};
    int frame_ = 0;
    MemorySurface surface_;
};
