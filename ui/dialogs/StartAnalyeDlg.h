// ui/dialogs/StartAnalyeDlg.h
// The analysis wait dialog: shown by the main dialog while the hand-over thread fills the
// results page; it closes itself once the results are ready (g_resultsReady).
#pragma once
#include "ui/dialogs/BusyWaitDialog.h"

class StartAnalyeDlg : public BusyWaitDialog
{
public:
    // ready: the flag to wait for; the results-ready flag of the scan state by default.
    explicit StartAnalyeDlg(CWnd* parent, const std::atomic<int>* ready = nullptr);
    ~StartAnalyeDlg() override;

protected:
    BOOL OnInitDialog() override;
    void DrawBackground(HDC memory) override;

private:
    Gdiplus::Image* picture_ = nullptr;
};
