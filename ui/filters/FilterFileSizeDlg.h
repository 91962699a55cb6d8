// ui/filters/FilterFileSizeDlg.h
// Sets the size range of the next scan: "no limit" (100) or a range (101) of a minimum and a
// maximum, each a number with a unit picked from a drop-down list (103, 104). OK (102) stores
// the range into the settings (typing a bound chooses the range); cancel (2) and the close item change nothing. Both end with
// IDCANCEL.
#pragma once
#include <stdint.h>

#include "finder/FilterSettings.h"
#include "ui/filters/FilterRules.h"
#include "uikit/dialog/HomeBaseDialog.h"
#include "uikit/dropdown/FilterDropWnd.h"

class FilterFileSizeDlg : public HomeBaseDialog
{
public:
    explicit FilterFileSizeDlg(CWnd* parent);
    ~FilterFileSizeDlg() override;

    void SetFilterSettings(FilterSettings* settings) { settings_ = settings; }

    // The units the numbers are in; kept by id, the captions only show them.
    filters::SizeUnit MinimumUnit() const { return minimumUnit_; }
    filters::SizeUnit MaximumUnit() const { return maximumUnit_; }
    HWND MinimumEdit() const { return minimumEdit_; }
    HWND MaximumEdit() const { return maximumEdit_; }
    UiCtrl::FilterKBMBWnd& MinimumList() { return minimumList_; }
    UiCtrl::FilterKBMBWnd& MaximumList() { return maximumList_; }
    bool IsNoLimitChecked() const;

    // Without settings nothing happens.
    void OnOK() override;
    // A row of a unit list, reported as its id plus the list's tag (1000 or 2000).
    void OnUnitChosen(LPARAM value);

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DrawBackground(HDC memory) override;

private:
    void SetRangeChoice(bool range);
    void ShowUnit(int itemId, filters::SizeUnit unit);
    void OpenUnitList(int itemId, UiCtrl::FilterKBMBWnd& list);

    UiCtrl::FilterKBMBWnd minimumList_;
    UiCtrl::FilterKBMBWnd maximumList_;
    filters::SizeUnit minimumUnit_ = filters::kUnitKB;
    filters::SizeUnit maximumUnit_ = filters::kUnitKB;
    HWND minimumEdit_ = nullptr;
    HWND maximumEdit_ = nullptr;
    HBRUSH editBrush_ = nullptr;
    FilterSettings* settings_ = nullptr;
    bool filling_ = false;  // the dialog itself is writing the edits
};
