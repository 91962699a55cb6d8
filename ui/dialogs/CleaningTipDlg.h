// ui/dialogs/CleaningTipDlg.h
// The busy tip of a removal: the "Cleaning" text, how many of the files have been looked at
// ("done of total"), and a Stop button (100) that asks the worker to stop before its next
// files. Like every busy tip it ends only when the worker's flag is set.
#pragma once
#include "ui/dialogs/CommonTipDlg.h"

class CleaningTipDlg : public CommonTipDlg
{
public:
    static const int kStopButton = 100;

    // done: files looked at so far, counted by the worker; stop: set to 1 by the Stop button;
    // finished: set by the worker when it is done.
    CleaningTipDlg(CWnd* parent, const std::atomic<int>* done, int total, std::atomic<int>* stop,
                   const std::atomic<int>* finished);

    // "done of total" as last drawn.
    const std::string& CountText() const { return countText_; }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void DrawBackground(HDC memory) override;

private:
    const std::atomic<int>* done_;
    int total_;
    std::atomic<int>* stop_;
    std::string countText_;
};
