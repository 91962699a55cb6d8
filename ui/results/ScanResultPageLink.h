// ui/results/ScanResultPageLink.h
// The results page behind the main dialog's IResultsPage, so the dialog hosts the real page.
#pragma once
#include <memory>

#include "ui/main/ResultsPageLink.h"
#include "ui/results/ScanResultPageWnd.h"

class ScanResultPageLink : public IResultsPage
{
public:
    HWND Create(HWND parent, const RECT& rect) override;
    HWND Hwnd() const override { return m_page.GetHwnd(); }
    void SetStatistics(const CategoryStatistics& statistics) override { m_page.SetStatistics(statistics); }
    void FillCategory(int category, FileGroupMap& groups) override { m_page.FillCategory(category, groups); }
    void SetCategoryCaptions() override { m_page.SetCategoryCaptions(); }
    void SetLocationText(const std::string& text) override { m_page.SetLocationText(text); }
    // How the scan ended (stopped, what could not be read): the page tells it beside the groups.
    void SetScanOutcome(const ScanOutcome& outcome) override { m_page.SetScanOutcome(outcome); }
    void OnShow() override { m_page.OnShow(); }
    void ReloadPageText() override { m_page.ReloadText(); }
    // The records the rows point at; hold them while the page shows them.
    void SetRecordStore(std::shared_ptr<RecordStore> store) override { m_page.SetRecordStore(std::move(store)); }
    UiCtrl::ScanResultPageWnd& Page() { return m_page; }

private:
    UiCtrl::ScanResultPageWnd m_page;
};

std::unique_ptr<IResultsPage> MakeScanResultPage();
