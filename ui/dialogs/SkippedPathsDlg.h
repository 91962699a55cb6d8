// ui/dialogs/SkippedPathsDlg.h
// Which folders and files the last scan skipped: the folders it could not open, then the files
// it could not read, each by its whole path, in a read-only text the user can scroll, select
// and copy. Where only the first paths were kept, "and N more" says how many are not listed.
// Its button (100) or the close item ends it with 2.
#pragma once
#include <string>

#include "finder/ScanRun.h"
#include "uikit/dialog/HomeBaseDialog.h"

class SkippedPathsDlg : public HomeBaseDialog
{
public:
    SkippedPathsDlg(CWnd* parent, const ScanOutcome& outcome);
    ~SkippedPathsDlg() override;

    // The list as the dialog shows it (lines end in CR LF, as the edit control wants them).
    static std::string ListText(const ScanOutcome& outcome);
    // The text the control holds now (empty before it exists).
    std::string ShownText() const;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DrawBackground(HDC memory) override;

private:
    std::string text_;
    HWND list_ = nullptr;
    HBRUSH listBrush_ = nullptr;
};
