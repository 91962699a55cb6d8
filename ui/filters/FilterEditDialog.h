// ui/filters/FilterEditDialog.h
// A filter dialog built around one edit field of its own: OK (100) stores the field through
// OnOK and ends the dialog, cancel (2) and the close item end it unchanged; both end with
// IDCANCEL. The field is drawn in the filter dialogs' colours.
#pragma once
#include "uikit/dialog/HomeBaseDialog.h"

class FilterEditDialog : public HomeBaseDialog
{
public:
    ~FilterEditDialog() override;

    HWND EditWindow() const { return edit_; }

protected:
    explicit FilterEditDialog(CWnd* parent);

    // Creates the field's brush once; call from OnInitDialog.
    void CreateEditBrush();

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // Asked before OK stores the field: false keeps the dialog open (the dialog has said why).
    virtual bool AcceptField() { return true; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    HWND edit_ = nullptr;

private:
    HBRUSH editBrush_ = nullptr;
};
