// ui/startpage/SelFileTypeWnd.h
// The start page: picks the location (folder chooser or a dropped folder), the file kinds and
// the hidden-files rule, runs the scan with live progress, and on completion hands over to
// its parent (0x178A (0, 0) and command 200) or says that nothing was found.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "finder/FilterSettings.h"
#include "finder/ScanRun.h"
#include "uikit/host/UiSdkWndBase.h"

namespace Gdiplus {
class Image;
}

namespace UiCtrl {

// Messages and commands of the page and its parent.
enum {
    kStartScanMessage = 0x4402,       // a folder was dropped: start the scan
    kTaskbarProgressMessage = 0x178A, // to the parent: (percent, 100), or (0, 0) to switch off
    kCmdShowResults = 200,            // to the parent: duplicates were found
    kCmdFileTypeFilter = 100,
    kCmdHiddenOn = 101,   // shown while hidden files are included; click leaves them out
    kCmdHiddenOff = 102,  // shown while they are left out; click includes them
    kCmdSizeFilter = 103,
    kCmdBrowse = 104,
    kCmdRunScan = 105,
    kCmdStopScan = 106,
    kCmdSimilarFilter = 107,
};

class SelFileTypeWnd : public UiSdkWndBase {
public:
    SelFileTypeWnd();
    ~SelFileTypeWnd() override;

    // Creates the page and its widgets from the layout "SelFileType" as a child of parent.
    int CreateWin(HWND parent, int id, int left, int top, int right, int bottom,
                  DWORD style) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    int DrawBackground(HDC memoryDc) override;
    int DrawForeground(HDC memoryDc) override;

    // Starts a scan of the current location; nothing while a scan or its worker still runs.
    void StartScan();
    int OnCommand(WPARAM id, LPARAM lParam);
    // Takes the first dropped item as the location when it is a folder and no scan runs;
    // releases the drop in every case.
    void OnDropFiles(HDROP drop);
    // Takes path as the location and starts its scan, as a folder dropped on the page does
    // (the results page hands its drops here).
    void ScanFolder(const std::string& path);
    // Back to the idle view with empty results (after creation; the parent's command 201).
    // 1; 0 and no change while a scan runs.
    int Reset();
    // 0 idle, 1 scanning.
    void SetScanState(int state);
    void EnableBrowse(int enabled);

    // For the parent, once command 200 has arrived.
    const CategoryStatistics& GetStatistics() const { return run_.GetStatistics(); }
    void GetCategoryGroups(int category, FileGroupMap& destination) const
    {
        run_.GetCategoryGroups(category, destination);
    }
    std::shared_ptr<RecordStore> GetRecordStore() const { return run_.GetRecordStore(); }
    std::string GetLocationText() const;
    // The program is closing: stops the scan and waits, in a modal tip, until its worker ended
    // or was given up (then the process ends at once).
    void StopForExit();

    const std::string& GetLocation() const { return run_.m_location; }
    void SetLocation(const std::string& location) { run_.m_location = location; }
    FilterSettings& GetFilterSettings() { return *settings_; }
    ScanRun& Run() { return run_; }
    // A scan runs from StartScan until its worker has ended.
    bool IsScanning() const { return run_.m_scanning || !run_.m_workerEnded; }
    // From a scan's start until the page is idle again: through the hand-over to the parent
    // and the results page until Reset, or until the not-found notice. Drops and the folder
    // chooser are refused meanwhile, so that no second scan replaces results being handed over.
    bool IsBusy() const { return busy_ || IsScanning(); }
    // The view: 1 from SetScanState(1) until SetScanState(0).
    int GetScanView() const { return scanView_; }
    int GetIncludeHiddenState() const { return includeHidden_; }
    int GetFrameIndex() const { return frameIndex_; }
    float GetProgressRatio() const { return progressRatio_; }
    // The count line of the scanning view, from the finder's count as the last progress tick
    // read it: extra copies, one file of each group not counted (the results page counts
    // every file of a group), so the line names what it counts.
    std::string FoundText() const;
    // Why the last drop was refused, while the scanning view still shows it; else empty.
    std::string DropNote() const;

protected:
    // The modal answers of the finish handler and the filter commands; virtual so that a
    // host can watch them.
    virtual void ShowNotFoundNotice();
    virtual void ShowScanProblem(ScanProblem problem);
    // Nothing found, but some folders could not be listed or some files not read: "nothing
    // found" alone would claim more than the scan could see.
    virtual void ShowIncompleteScanNotice(uint32_t folders, uint32_t files);
    virtual void OpenFileTypeFilter();
    virtual void OpenSizeFilter();
    virtual void OpenSimilarFilter();
    // The folder chooser; true with the chosen folder on OK.
    virtual bool ChooseFolder(std::string& folder);

private:
    static void CALLBACK ProgressTimerProc(HWND hwnd, UINT message, UINT_PTR id, DWORD time);
    static void CALLBACK IdleTimerProc(HWND hwnd, UINT message, UINT_PTR id, DWORD time);
    void StartIdleTimer();
    void StartProgressTimer();
    void OnProgressTick();
    void OnIdleTick();
    void OnScanFinished();
    void SetIncludeHidden(int state);
    void LoadPictures();
    void ReleasePictures();
    void ShowItem(int id, bool visible);
    RECT ItemRect(int id) const;
    void DrawScanning(HDC dc, const RECT& client);
    void DrawIdle(HDC dc, const RECT& client);

    ScanRun run_;
    std::unique_ptr<FilterSettings> settings_;
    int includeHidden_ = 1;
    bool busy_ = false;
    int scanView_ = 0;
    int locationIsDrive_ = 0;
    float progressRatio_ = 0.0f;
    int frameIndex_ = 0;
    uint64_t foundShown_ = 0;  // g_duplicatesFound at the last progress tick
    DWORD dropNoteSince_ = 0;  // when a drop was refused during a scan; 0: no note
    bool dropNoteShown_ = false;
    int idleCounter_ = 1;
    UINT_PTR timer_ = 0;
    bool progressTimer_ = false;

    Gdiplus::Image* frames_[34] = {};
    Gdiplus::Image* currentFrame_ = nullptr;
    Gdiplus::Image* idlePictures_[2] = {};
    Gdiplus::Image* currentIdle_ = nullptr;
    Gdiplus::Image* background_ = nullptr;
    HBITMAP backgroundCache_ = nullptr;  // the background scaled to the client size
    SIZE backgroundSize_ = {0, 0};
    Gdiplus::Image* driveIcon_ = nullptr;
    Gdiplus::Image* folderIcon_ = nullptr;
};

} // namespace UiCtrl
