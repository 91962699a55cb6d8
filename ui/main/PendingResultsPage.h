// ui/main/PendingResultsPage.h
// The stand-in results page: keeps the statistics and groups it is handed and shows their
// counts, so that the main dialog runs its whole road before the real page is hosted.
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
    int shown_ = 0;
};
