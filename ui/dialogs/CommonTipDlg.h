// ui/dialogs/CommonTipDlg.h
// The busy tip that stands while a worker runs ("Cleaning", "Refreshing", "Existing"): an
// animated picture and the caller's text. It has no close item and no button; it ends,
// with 2, at the first timer tick after the worker set its flag, and only then.
#pragma once
#include "ui/dialogs/BusyWaitDialog.h"

class CommonTipDlg : public BusyWaitDialog
{
public:
    // text: already translated. done: set to 1 by the worker, which the caller starts before
    // DoModal.
    CommonTipDlg(CWnd* parent, const char* text, const std::atomic<int>* done);

    const std::string& Text() const { return text_; }

protected:
    // For tips that add to this one under a layout of their own.
    CommonTipDlg(CWnd* parent, const char* text, const std::atomic<int>* done, const char* layout);

    BOOL OnInitDialog() override;
    void DrawBackground(HDC memory) override;
    // Fills the panel and draws the moving picture with `text` beside it; returns the box the
    // text was wrapped into, which later lines are placed under.
    RECT DrawTip(HDC memory, const std::string& text);

private:
    std::string text_;
};
