// tests/ui/results/ResultsPageHost.h
// The results page as the main dialog hosts it, filled from a real scan of the fixture tree,
// with its modal answers recorded instead of shown.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "finder/ScanRun.h"
#include "finder/ScanState.h"
#include "tests/support/WinePath.h"
#include "ui/results/ScanResultPageWnd.h"

namespace resultstest {

class WatchedPage : public UiCtrl::ScanResultPageWnd
{
public:
    int nothingChecked = 0;
    int outcomes = 0;
    RemovalReport told;
    bool showOutcome = false;  // also show the real notice and message

protected:
    void ShowNothingChecked() override { ++nothingChecked; }
    void ShowRemovalOutcome(const RemovalReport& report) override
    {
        told = report;
        if (showOutcome)
            UiCtrl::ScanResultPageWnd::ShowRemovalOutcome(report);
        ++outcomes;
    }
};

inline std::string ScanFolder(const char* name = "scan")
{
    return FixtureDir() + "\\results\\" + name;
}

// A frameless top-level window with the page filling it, and the scan handed over.
class PageHost
{
public:
    PageHost()
    {
        parent_ = CreateWindowExA(0, "STATIC", "results page", WS_POPUP | WS_VISIBLE, 0, 0, 1196, 680, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
        page.CreateWin(parent_, 0, 0, 0, 1196, 680, WS_CHILD | WS_VISIBLE);
    }
    ~PageHost()
    {
        page.ClearAll();
        DestroyWindow(parent_);
    }
    void ScanAndHandOver(const std::string& folder = ScanFolder())
    {
        ResetScanState();
        g_similarityPercent = 100;
        run.m_location = folder;
        run.LoadCategoryLists();
        run.ScanWorker();
        page.SetStatistics(run.GetStatistics());
        for (int k = kCategoryPhoto; k <= kCategoryOther; ++k)
            if (const FileGroupMap* groups = run.CategoryGroups(k))
                page.FillCategory(k, *groups);
        page.SetRecordStore(run.GetRecordStore());
        page.SetCategoryCaptions();
        page.SetLocationText(run.m_location);
        page.OnShow();
    }
    // Runs the page's messages until done() or about rounds x 10 ms passed.
    template <class Done>
    bool PumpUntil(Done done, int rounds = 500)
    {
        for (int i = 0; i < rounds && !done(); ++i) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            Sleep(10);
        }
        return done();
    }
    int Roots(int category)
    {
        FileTreeCtrl& tree = page.Tree(category);
        int count = 0;
        for (HTREEITEM item = tree.GetRootItem(); item; item = tree.GetNextSiblingItem(item))
            ++count;
        return count;
    }

    WatchedPage page;
    ScanRun run;

private:
    HWND parent_ = nullptr;
};

}  // namespace resultstest
