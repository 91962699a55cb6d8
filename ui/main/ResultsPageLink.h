// ui/main/ResultsPageLink.h
// The results page as the main dialog drives it: created beside the start page, filled by
// the hand-over thread, shown on command 206. The program hosts the real page
// (MakeScanResultPage); tests may host a page of their own.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "finder/FoundFileRecord.h"
#include "finder/RecordStore.h"
#include "finder/ScanRun.h"

// From the results page to the main dialog for a folder dropped on it: wParam the page's
// window, lParam the folder's path (the sender's text, valid during the call). The page has
// cleared itself; the main dialog goes back to the start page, which scans the folder.
constexpr UINT kResultsScanFolderMessage = 0x4403;

class IResultsPage {
public:
    virtual ~IResultsPage() = default;
    // Creates the (hidden) child window; its handle, or null on failure.
    virtual HWND Create(HWND parent, const RECT& rect) = 0;
    virtual HWND Hwnd() const = 0;
    // Called on the hand-over thread, while the UI thread waits in a modal dialog.
    virtual void SetStatistics(const CategoryStatistics& statistics) = 0;
    virtual void FillCategory(int category, FileGroupMap& groups) = 0;
    virtual void SetCategoryCaptions() = 0;
    virtual void SetLocationText(const std::string& text) = 0;
    // How the scan ended (stopped, what could not be read): the page tells it beside the groups.
    virtual void SetScanOutcome(const ScanOutcome& outcome) = 0;
    // The records the groups point at: the page holds them while it shows them, so that the
    // start page's next scan cannot free them under its rows.
    virtual void SetRecordStore(std::shared_ptr<RecordStore> store) {}
    // On the UI thread, when the page is about to be shown.
    virtual void OnShow() = 0;
    virtual void ReloadPageText() = 0;
};
