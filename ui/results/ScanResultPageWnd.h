// ui/results/ScanResultPageWnd.h
// The results page: the duplicate groups of a scan in six trees (all files and the five
// categories), category tabs, a select-all box, details and preview of the current file, and
// the removal of the checked files to the recycle bin followed by a refresh of the rows.
// The main dialog hands a scan over (SetStatistics, FillCategory per category 1..5,
// SetRecordStore, SetCategoryCaptions, SetLocationText; on any thread, the window untouched)
// and calls OnShow on the UI thread before showing the page.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "finder/ScanRun.h"
#include "mfc/Mfc.h"
#include "ui/results/FileTreeCtrl.h"
#include "ui/results/RecycleShell.h"
#include "ui/results/ResultPageLayout.h"
#include "uikit/dropdown/FilterDropWnd.h"
#include "uikit/host/UiSdkWndBase.h"

namespace Gdiplus {
class Bitmap;
}

namespace UiCtrl {

class ScanResultPageWnd : public UiSdkWndBase, public ICallBack
{
public:
    enum {
        kCmdBack = 100, kCmdUncheckAll = 101, kCmdRemove = 102, kCmdDropDown = 103, kCmdAutoSelect = 104,
        kCmdFirstTab = 105, kCmdLastTab = 109, kCmdOpen = 110, kCmdCategoryChoice = 9216,
        kCmdSelectionChanged = 17408,
    };
    enum {
        kMsgRemovalFinished = 0x2401, kMsgStartRemoval = 0x2402, kCategoryCount = 6, kFirstTreeId = 1000,
        kMsgChartSlice = 0x4400,  // from a pie chart child: wParam is the slice's category (1..5)
    };

    ScanResultPageWnd();
    ~ScanResultPageWnd() override;

    int CreateWin(HWND parent, int id, int left, int top, int right, int bottom, DWORD style) override;
    // A folder dropped here starts a new scan of it (through the parent); anything else is
    // refused with the reason in a box, and the results stay.
    void OnDropFiles(HDROP drop);

    // The hand-over. The header counts the groups shown, so the scan's totals are not kept.
    void SetStatistics(const CategoryStatistics&) {}
    void FillCategory(int category, const FileGroupMap& groups);
    void SetRecordStore(std::shared_ptr<RecordStore> store) { m_model.SetRecordStore(std::move(store)); }
    void SetCategoryCaptions();
    void SetLocationText(const std::string& text) { m_location = text; }
    // Whether the scan was stopped and what it could not read: told beside the groups.
    void SetScanOutcome(const ScanOutcome& outcome) { m_outcome = outcome; }
    const ScanOutcome& Outcome() const { return m_outcome; }
    void OnShow();
    int ReloadText() override;
    // Empties rows, model and statistics (the back button, and before the next scan).
    void ClearAll();

    void OnCommand(WPARAM wParam, LPARAM lParam);
    // Shows the tree of category k (0..5); other values change nothing.
    void ShowCategory(int category);
    int VisibleCategory() const { return m_visible; }
    FileTreeCtrl& Tree(int category) { return m_trees[category]; }
    ResultModel& Model() { return m_model; }
    const std::string& SelectionText() const { return m_selectionText; }
    const std::string& TabCaption(int category) const { return m_tabCaptions[category]; }
    // The last removal's outcome (what the notice told) and what its refresh dropped.
    const RemovalReport& LastRemoval() const { return m_lastRemoval; }
    const PruneOutcome& LastRefresh() const { return m_lastRefresh; }
    // The shell that removals call (the system's unless a caller gives another).
    void SetRecycleShell(IRecycleShell* shell) { m_shell = shell; }
    // What the select-all box shows: unchecked, partly (some files checked) or all checked.
    GroupMark SelectAllMark() const;
    // Marks exactly the tab with that id (105..109) as the chosen one; any other id clears them.
    void SetActiveTab(int id);
    FilterFileTypeWnd& DropDown() { return m_dropDown; }
    // What the page tells beside the groups about how the scan ended; empty when all went well.
    std::string OutcomeNote() const;
    // Where the note was last painted; a click there lists what the scan skipped.
    const RECT& NoteArea() const { return m_noteArea; }
    // The details of the current file: name, size, time, type and its whole path.
    std::vector<std::string> DetailValues() const;
    // The preview of the current file: how often a picture was decoded, and the size of the
    // shell icon shown for a file that is no picture (0: none).
    int PreviewDecodes() const { return m_previewDecodes; }
    int PreviewIconSize() const { return m_previewIconSize; }

    // ICallBack
    void OnSelectionChanged() override;
    void DeleteFile(const std::string& path) override;
    void NotifyOwner(WPARAM command) override;
    void Repaint() override;
    void ExpandGroup(HTREEITEM, FileTreeCtrl*) override { InvalidateAll(); }
    void AutoSelectGroup(HTREEITEM, FileTreeCtrl*) override {}
    void OnCheckChanged(HTREEITEM, int, FileTreeCtrl*) override {}
    void OnFileRemoved(int category, int64_t size, int count) override;
    void OnGroupRemoved(HTREEITEM item, TreeItemLink* link, FileTreeCtrl* tree, bool isGroup) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    int OnSize(WPARAM wParam, LPARAM lParam) override;
    int OnLButtonUp(WPARAM wParam, LPARAM lParam) override;
    int DrawBackground(HDC memoryDc) override;
    int DrawForeground(HDC memoryDc) override;

    // The modal answers; tests replace them.
    virtual void ShowNothingChecked();
    virtual void ShowRemovalOutcome(const RemovalReport& report);

    // The removal (RemovalFlow.cpp): Remove -> questions -> "Cleaning" -> notice -> refresh.
    void OnRemoveChecked();
    void StartRemoval();
    // One pass of the removal on its worker under the "Cleaning" tip.
    RemovalReport RunUnderCleaningTip(RecycleRemoval& removal, bool binRefusedForEver);
    void OnRemovalFinished();
    // Yes / No in the program's own box, owned by the main window: true for Yes.
    bool AskBeforeRemoval(const std::string& text);
    void RebuildTrees();
    // The folders and files the scan skipped, in their own dialog (ScanResultPageSkipped.cpp).
    void ShowSkippedPaths();

private:
    void ShowWidget(int id, bool visible);
    // Auto select while nothing is checked; Uncheck all once the page checked files.
    void ShowSelectButton(bool uncheck);
    void PlaceWidgets();
    void OpenDropDown();
    void DrawDetails(HDC dc);
    void DrawPreview(HDC dc);
    // Decodes the current file once, when it changes: a picture scaled to the preview box,
    // else the shell's jumbo icon.
    void LoadPreview();
    void ReleasePreview();

    CWnd m_host;  // this page as the trees' parent window
    FileTreeCtrl m_trees[kCategoryCount];
    ResultModel m_model;
    int m_visible = 0;
    bool m_created = false;
    bool m_refreshing = false;  // the refresh worker owns the model
    bool m_removalPending = false;  // from the Remove click to the end of the refresh
    bool m_removing = false;
    std::string m_location;
    std::string m_selectionText;
    std::string m_tabCaptions[kCategoryCount];
    ScanOutcome m_outcome;
    RECT m_noteArea = {};
    RemovalReport m_lastRemoval;
    PruneOutcome m_lastRefresh;
    IRecycleShell* m_shell = &SystemRecycleShell();
    ResultPageLayout m_layout = {};
    HBITMAP m_scrollSkin = nullptr;  // the trees' scroll-bar skin, alive as long as they are
    Gdiplus::Image* m_boxChecked = nullptr;
    Gdiplus::Image* m_boxUnchecked = nullptr;
    Gdiplus::Image* m_tips = nullptr;
    FilterFileTypeWnd m_dropDown;
    std::string m_previewPath;
    Gdiplus::Bitmap* m_previewPicture = nullptr;
    HICON m_previewIcon = nullptr;
    int m_previewIconSize = 0;
    int m_previewDecodes = 0;
};

}  // namespace UiCtrl
