// ui/filters/FileNewTypeFilterWnd.h
// Chooses which file kinds the next scan looks for: one check item per kind (100 to 104).
// OK (105) writes each checked kind's extension list (the user's own
// when there is one) into the settings and empties
// the others; cancel (2) and the close item change nothing. Both end with IDCANCEL.
#pragma once
#include "finder/FilterSettings.h"
#include "uikit/dialog/HomeBaseDialog.h"

class FileNewTypeFilterWnd : public HomeBaseDialog
{
public:
    explicit FileNewTypeFilterWnd(CWnd* parent);
    ~FileNewTypeFilterWnd() override;

    // Must be set before the dialog runs; without it OK changes nothing.
    void SetFilterSettings(FilterSettings* settings) { settings_ = settings; }
    // The check item of a kind (100 to 104); false when it is missing.
    bool IsKindChecked(int id) const;
    void SetKindChecked(int id, bool checked);
    // The kind rows that supply the lists; never painted.
    const UiCtrl::UiItemMap& KindRows() const { return kindRows_; }

    // Writes the checked kinds' lists; false, and nothing written, when no kind is checked
    // (OK then leaves the dialog open). True without settings.
    bool ApplyChoices();
    void OnOK() override;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void DrawBackground(HDC memory) override;

private:
    FilterSettings* settings_ = nullptr;
    UiCtrl::UiItemMap kindRows_;
};
