// ui/dialogs/StartAnalyeDlg.h
// The analysis wait dialog: shown by the main dialog while the hand-over thread fills the
// results page; it closes itself once the results are ready (g_resultsReady). After a stop it
// says so: the list being built holds only what was found before the stop.
#pragma once
#include "ui/dialogs/BusyWaitDialog.h"

class StartAnalyeDlg : public BusyWaitDialog
{
public:
    // ready: the flag to wait for; the results-ready flag of the scan state by default.
    // stopped: the scan was stopped before it ended.
    explicit StartAnalyeDlg(CWnd* parent, const std::atomic<int>* ready = nullptr,
                            bool stopped = false);
    ~StartAnalyeDlg() override;

    // The text the dialog shows.
    const std::string& Text() const { return text_; }

protected:
    BOOL OnInitDialog() override;
    void DrawBackground(HDC memory) override;

private:
    Gdiplus::Image* picture_ = nullptr;
    std::string text_;
};
