// ui/tips/FreezeTipDlg.h
// An animated busy notice (bitmaps 441 to 476) that ends itself with IDOK once the caller's
// busy flag drops to 0. The caller sets the number (-1: none), the flag, the text and the
// format key before DoModal. Esc and Enter do not close it.
// With a flag, a companion thread (PollThread) drives the ticks by posting them: a timer's
// ticks come only when the queue is otherwise empty, so a caller that keeps posting to this
// thread while it works would keep the notice open long after the work is done.
#pragma once
#include <atomic>
#include <string>
#include <thread>

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
    LRESULT OnPollTick(WPARAM, LPARAM);
    void OnPaint();
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    // Every 10 ms while the flag is up, and once more when it drops, asks the dialog to run
    // a tick (at most one request waits at a time); stops early when told to.
    static void PollThread(FreezeTipDlg* dlg);
    // The timer's body: ends the dialog once the flag is down, else shows the next frame.
    void Tick();
    void StopPolling();

    std::string shown_;
    FreezeTipLayout layout_ = {};
    int frame_ = 0;
    MemorySurface surface_;
    std::thread poller_;
    std::atomic<bool> stopPolling_{false};
    std::atomic<bool> tickPending_{false};
};
