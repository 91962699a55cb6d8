// ui/filters/FilterFileTypeDlg.h
// The fuller file-kind dialog: its kind rows (100 to 104) show their extension lists, a click
// beside a row's check picture selects the kind, 106 edits the selected kind's list and 105
// the "Other" list (EditFileTypeItemDlg), 107 restores the default lists, and OK (108) writes
// the checked kinds' lists into the settings and ends with IDOK. Cancel (2) and the close
// item change nothing and end with IDCANCEL.
#pragma once
#include "finder/FilterSettings.h"
#include "uikit/dialog/HomeBaseDialog.h"

namespace UiCtrl {
class UIFilterTypeItem;
}

class FilterFileTypeDlg : public HomeBaseDialog
{
public:
    explicit FilterFileTypeDlg(CWnd* parent);

    void SetFilterSettings(FilterSettings* settings) { settings_ = settings; }
    int SelectedKind() const { return selected_; }
    UiCtrl::UIFilterTypeItem* KindRow(int id) const;

    // Writes the checked kinds' lists; false, and nothing written, when no kind is checked
    // (OK then leaves the dialog open). True without settings.
    bool ApplyChoices();
    void OnOK() override;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void DrawBackground(HDC memory) override;
    // Runs the list editor for a category; a test host answers it instead.
    virtual void EditKindList(const char* category);

private:
    void SelectKind(int id);
    void ReloadClientText();

    int selected_ = 100;
    FilterSettings* settings_ = nullptr;
};
