// uikit/dropdown/FilterDropWnd.h
// A small pop-up list on the widget host: one row per child of its "Resource.xml" element.
// A chosen row hides the list and reports WM_COMMAND (0x2400, value) to the list's owner;
// losing the focus hides it without a report.
#pragma once
#include <string>

#include "uikit/dropdown/FilterDropItem.h"
#include "uikit/host/UiSdkWndBase.h"

namespace UiCtrl {

class FilterDropWnd : public UiSdkWndBase {
public:
    ~FilterDropWnd() override;

    // Creates the list under parent (its owner), loads its rows (once, however often it is
    // called), sizes it from the element's first row and marks the chosen row. Returns 0.
    int CreateWin(HWND parent, int id, int left, int top, int right, int bottom,
                  DWORD style) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // A frame in the list colour instead of the base band.
    int DrawBackground(HDC memoryDc) override;

    // Shows the list with the chosen row marked and gives it the focus, so that a click
    // elsewhere closes it.
    void Open();
    void SetTag(int tag) { tag_ = tag; }
    int GetTag() const { return tag_; }
    int GetChosenValue() const { return chosen_; }
    // Owners set this before reopening (for instance back to "all files").
    void SetChosenValue(int value);
    HWND GetOwner() const { return owner_; }

protected:
    FilterDropWnd(const char* elementName, int extraHeight);
    virtual FilterDropItem* MakeRow() const = 0;
    // What the owner is told for the chosen value.
    virtual LPARAM ReportedValue() const { return chosen_; }
    // Checks exactly the row of the chosen value and shows it in hover.
    void MarkRows();

    int chosen_ = 0;
    HBRUSH frameBrush_ = nullptr;
    HWND owner_ = nullptr;
    int tag_ = 0;

private:
    void Hide();

    std::string elementName_;
    int extraHeight_ = 0;
    bool rowsLoaded_ = false;
};

// Picks the category shown by the results page: rows report 201 (Photo) to 205 (Other).
class FilterFileTypeWnd : public FilterDropWnd {
public:
    FilterFileTypeWnd();

protected:
    FilterDropItem* MakeRow() const override { return new FilterFileTypeItem(); }
};

// Picks a size unit; the report adds the tag (1000 minimum, 2000 maximum) to the row id.
class FilterKBMBWnd : public FilterDropWnd {
public:
    FilterKBMBWnd();

protected:
    FilterDropItem* MakeRow() const override { return new FilterKBMBItem(); }
    LPARAM ReportedValue() const override { return chosen_ + tag_; }
};

} // namespace UiCtrl
