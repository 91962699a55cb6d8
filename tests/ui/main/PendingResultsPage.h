// tests/ui/main/PendingResultsPage.h
// A results page for tests of the main dialog alone: keeps the statistics, groups and outcome
// it is handed and shows their counts.
#pragma once
#include <map>

#include "ui/main/ResultsPageLink.h"
#include "uikit/host/UiSdkWndBase.h"

class PendingResultsPage : public IResultsPage, public UiCtrl::UiSdkWndBase {
public:
    PendingResultsPage();

    HWND Create(HWND parent, const RECT& rect) override;
    HWND Hwnd() const override { return GetHwnd(); }
    void SetStatistics(const CategoryStatistics& statistics) override;
    void FillCategory(int category, FileGroupMap& groups) override;
    void SetCategoryCaptions() override {}
    void SetLocationText(const std::string& text) override { location_ = text; }
    void SetScanOutcome(const ScanOutcome& outcome) override
    {
        outcome_ = outcome;
        ++outcomes_;
    }
    const ScanOutcome& Outcome() const { return outcome_; }
    int OutcomeCount() const { return outcomes_; }
    void SetRecordStore(std::shared_ptr<RecordStore> store) override { store_ = std::move(store); }
    const std::shared_ptr<RecordStore>& Store() const { return store_; }
    void OnShow() override;
    void ReloadPageText() override { ReloadText(); }
    int DrawForeground(HDC memoryDc) override;

    const CategoryStatistics& Statistics() const { return statistics_; }
    // Entries (files) handed over for category k, and how often it was filled.
    size_t FileCount(int category) const;
    int FillCount(int category) const;
    const std::string& Location() const { return location_; }
    int ShowCount() const { return shown_; }

private:
    CategoryStatistics statistics_;
    std::map<int, FileGroupMap> groups_;
    std::map<int, int> fills_;
    std::string location_;
    std::shared_ptr<RecordStore> store_;
    ScanOutcome outcome_;
    int outcomes_ = 0;
    int shown_ = 0;
};
