// ui/startpage/SelFileTypeWnd.cpp
#include "ui/startpage/SelFileTypeWnd.h"

#include <shellapi.h>
#include <stdio.h>

#include <gdiplus.h>

#include "app/GdiplusSession.h"
#include "app/LangString.h"
#include "app/ResourceHelper.h"
#include "app/SafeFormat.h"
#include "app/SkinImage.h"
#include "finder/FileFinderModel.h"
#include "finder/FilesFilter.h"
#include "finder/ScanState.h"
#include "ui/filters/FileNewTypeFilterWnd.h"
#include "ui/filters/FileSimilarFilterDlg.h"
#include "ui/filters/FilterFileSizeDlg.h"
#include "ui/startpage/DroppedFolder.h"
#include "ui/startpage/LocationText.h"
#include "ui/startpage/ScanProgress.h"
#include "ui/startpage/StartPageFolderChoice.h"
#include "ui/startpage/StartPageNotices.h"

namespace UiCtrl {

namespace {

const UINT kIdleInterval = 1500;
const UINT kProgressInterval = 100;
const COLORREF kLocationColour = 0x7CDB00;
const COLORREF kScanningColour = 0x60B111;
const COLORREF kAnalysisColour = 0xF0C4B0;
const COLORREF kIndexTextColour = 0x92DB20;
const COLORREF kDropNoteColour = 0x00A3FF;
const DWORD kDropNoteMs = 6000;  // how long a refused drop's reason stays on the page
const UINT kCentredEllipsis = DT_END_ELLIPSIS | DT_VCENTER | DT_CENTER;  // 0x8005
const UINT kCentred = DT_VCENTER | DT_CENTER;                            // 5

// Drops from processes of other integrity levels; the call is missing before Vista and a
// stub under Wine, so it is looked up and its failure ignored.
void AllowDropMessages()
{
    typedef BOOL(WINAPI * FilterFn)(UINT, DWORD);
    HMODULE user = GetModuleHandleA("user32.dll");
    auto filter = user ? reinterpret_cast<FilterFn>(
                             reinterpret_cast<void*>(GetProcAddress(user, "ChangeWindowMessageFilter")))
                       : nullptr;
    if (filter) {
        filter(WM_DROPFILES, 1 /* MSGFLT_ADD */);
        filter(0x49 /* WM_COPYGLOBALDATA */, 1);
    }
}

void DrawImageAt(HDC dc, Gdiplus::Image* image, int x, int y)
{
    if (image)
        ResourceHelper::Instance().DrawGdiImage(dc, image, x, y);
}

} // namespace

SelFileTypeWnd::SelFileTypeWnd()
    : UiSdkWndBase("SelFileTypeWnd", 0, 0, 0), settings_(new FilterSettings)
{
    g_duplicatesFound = 0;
    FileFinderFilterProxy::Instance().SetSettings(settings_.get());
}

SelFileTypeWnd::~SelFileTypeWnd()
{
    if (hwnd_ && timer_)
        KillTimer(hwnd_, timer_);
    timer_ = 0;
    // A running scan is stopped (the scan run waits for its worker when it goes) and no longer
    // reports to this window, which goes first.
    if (!run_.m_workerEnded)
        g_scanStop = 1;
    run_.SetNotifyWindow(nullptr);
    if (hwnd_ && IsWindow(hwnd_))
        DestroyWindow(hwnd_);
    ReleasePictures();
    if (FileFinderFilterProxy::Instance().Settings() == settings_.get())
        FileFinderFilterProxy::Instance().SetSettings(nullptr);
}

int SelFileTypeWnd::CreateWin(HWND parent, int id, int left, int top, int right, int bottom,
                              DWORD style)
{
    const bool created = hwnd_ != nullptr;
    const int result = UiSdkWndBase::CreateWin(parent, id, left, top, right, bottom, style);
    if (!hwnd_ || created)
        return result;
    LoadLayout("SelFileType", hwnd_, items_);
    LoadPictures();
    ShowItem(kCmdHiddenOn, true);
    ShowItem(kCmdHiddenOff, false);
    ShowItem(kCmdStopScan, false);
    run_.SetNotifyWindow(hwnd_);
    StartIdleTimer();
    DragAcceptFiles(hwnd_, TRUE);
    AllowDropMessages();
    Reset();
    return result;
}

void SelFileTypeWnd::LoadPictures()
{
    EnsureGdiplus();
    background_ = LoadSkinImage("index_bg.png");
    driveIcon_ = LoadSkinImage("icon_disk.png");
    folderIcon_ = LoadSkinImage("icon_forder.png");
    idlePictures_[0] = LoadSkinImage("scan_a.png");
    idlePictures_[1] = LoadSkinImage("scan_b.png");
    currentIdle_ = idlePictures_[0];
    for (int i = 0; i < kScanFrameCount; ++i) {
        char name[32];
        snprintf(name, sizeof(name), "progress%d.png", i + 1);
        frames_[i] = LoadSkinImage(name);
    }
    currentFrame_ = frames_[0];
}

void SelFileTypeWnd::ReleasePictures()
{
    for (auto*& frame : frames_) {
        delete frame;
        frame = nullptr;
    }
    for (auto*& picture : idlePictures_) {
        delete picture;
        picture = nullptr;
    }
    if (backgroundCache_)
        DeleteObject(backgroundCache_);
    backgroundCache_ = nullptr;
    delete background_;
    delete driveIcon_;
    delete folderIcon_;
    background_ = driveIcon_ = folderIcon_ = nullptr;
    currentFrame_ = currentIdle_ = nullptr;
}

void SelFileTypeWnd::ShowItem(int id, bool visible)
{
    if (UiItem* item = FindItem(id))
        item->SetVisible(visible ? 1 : 0);
}

RECT SelFileTypeWnd::ItemRect(int id) const
{
    RECT rect = {0, 0, 0, 0};
    if (UiItem* item = FindItem(id))
        item->GetRect(rect);
    return rect;
}

void SelFileTypeWnd::StartIdleTimer()
{
    if (!hwnd_)
        return;
    timer_ = SetTimer(hwnd_, reinterpret_cast<UINT_PTR>(this), kIdleInterval, IdleTimerProc);
    progressTimer_ = false;
}

void SelFileTypeWnd::StartProgressTimer()
{
    if (!hwnd_)
        return;
    // Same window and id: it replaces the idle timer.
    timer_ = SetTimer(hwnd_, reinterpret_cast<UINT_PTR>(this), kProgressInterval,
                      ProgressTimerProc);
    progressTimer_ = true;
}

void CALLBACK SelFileTypeWnd::ProgressTimerProc(HWND, UINT, UINT_PTR id, DWORD)
{
    if (auto* page = reinterpret_cast<SelFileTypeWnd*>(id))
        page->OnProgressTick();
}

void CALLBACK SelFileTypeWnd::IdleTimerProc(HWND, UINT, UINT_PTR id, DWORD)
{
    if (auto* page = reinterpret_cast<SelFileTypeWnd*>(id))
        page->OnIdleTick();
}

void SelFileTypeWnd::OnProgressTick()
{
    Sleep(0);
    if (g_scanDone)
        return;
    const FrameStep step = StepScanFrame(frameIndex_);
    progressRatio_ = ScanProgressRatio(ReadScanProgress(), progressRatio_);
    // The finder raises the count as it confirms groups: every tick shows the latest.
    foundShown_ = g_duplicatesFound.load();
    SendMessageA(GetParent(hwnd_), kTaskbarProgressMessage, ProgressPercent(progressRatio_), 100);
    currentFrame_ = frames_[step.shown];
    frameIndex_ = step.next;
    InvalidateAll(TRUE);
}

void SelFileTypeWnd::OnIdleTick()
{
    currentIdle_ = idlePictures_[StepIdlePicture(idleCounter_)];
    InvalidateAll(TRUE);
}

LRESULT SelFileTypeWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = UiSdkWndBase::WindowProc(message, wParam, lParam);
    switch (message) {
    case WM_COMMAND: OnCommand(wParam, lParam); break;
    case WM_DROPFILES: OnDropFiles(reinterpret_cast<HDROP>(wParam)); break;
    case kStartScanMessage: StartScan(); break;
    case kScanFinishedMessage:
        OnScanFinished();
        return 0;
    default: break;
    }
    return result;
}

int SelFileTypeWnd::OnCommand(WPARAM wParam, LPARAM)
{
    switch (LOWORD(wParam)) {
    case kCmdFileTypeFilter: OpenFileTypeFilter(); break;
    case kCmdHiddenOn: SetIncludeHidden(0); break;
    case kCmdHiddenOff: SetIncludeHidden(1); break;
    case kCmdSizeFilter: OpenSizeFilter(); break;
    case kCmdBrowse: {
        if (IsBusy()) {
            if (run_.WorkerAbandoned())
                ShowScanProblem(kScanProblemAbandoned);  // the page looks idle: say why not
            return 0;
        }
        std::string folder;
        if (!ChooseFolder(folder) || folder.size() < 2)
            return 0;  // cancelled or nothing usable: no change, no repaint
        run_.m_location = folder;
        StartScan();
        break;
    }
    case kCmdRunScan: run_.RunScan(); break;
    case kCmdStopScan:
        run_.Stop();
        if (UiItem* stop = FindItem(kCmdStopScan))
            stop->Enable(0);
        break;
    case kCmdSimilarFilter:
        if (!IsScanning())
            OpenSimilarFilter();
        break;
    default: break;
    }
    InvalidateAll(FALSE);
    return 0;
}

void SelFileTypeWnd::SetIncludeHidden(int state)
{
    includeHidden_ = state;
    ShowItem(kCmdHiddenOn, state != 0);
    ShowItem(kCmdHiddenOff, state == 0);
    settings_->includeHidden = state ? 1 : 0;
}

void SelFileTypeWnd::OnDropFiles(HDROP drop)
{
    if (!drop)
        return;
    const DroppedFolder dropped = TakeDroppedFolder(drop, IsBusy());
    if (dropped.verdict == kDropWhileScanning && run_.WorkerAbandoned()) {
        ShowScanProblem(kScanProblemAbandoned);
        return;
    }
    if (dropped.verdict == kDropWhileScanning) {
        // The user dropped a folder and sees the scan go on: tell why nothing happened.
        dropNoteSince_ = GetTickCount();
        dropNoteShown_ = true;
        InvalidateAll(FALSE);
    }
    if (dropped.verdict == kDropAccepted)
        ScanFolder(dropped.path);
}

void SelFileTypeWnd::ScanFolder(const std::string& path)
{
    run_.m_location = path;
    PostMessageA(hwnd_, kStartScanMessage, 0, 0);
}

void SelFileTypeWnd::StartScan()
{
    if (run_.WorkerAbandoned()) {
        ShowScanProblem(kScanProblemAbandoned);
        return;
    }
    if (IsBusy() || run_.m_location.empty())
        return;
    busy_ = true;
    ResetScanState();
    if (UiItem* stop = FindItem(kCmdStopScan))
        stop->Enable(1);
    FileFinderModelProxy::Instance().SetFilter(&FileFinderFilterProxy::Instance());
    FileFinderFilterProxy::Instance().SetSettings(settings_.get());
    SetScanState(1);
    run_.m_scanning = 1;
    StartProgressTimer();
    EnableBrowse(0);
    PostMessageA(hwnd_, WM_COMMAND, kCmdRunScan, 0);
}

void SelFileTypeWnd::OnScanFinished()
{
    // Only the end of this page's own scan counts; a stray message must not tell the user
    // that nothing was found.
    if (!scanView_ || !run_.Settled())
        return;
    EnableBrowse(1);
    if (progressTimer_) {
        KillTimer(hwnd_, timer_);
        frameIndex_ = 0;
        StartIdleTimer();
    }
    const ScanProblem problem = run_.Problem();
    // Groups confirmed before a stop are results like any others.
    if (problem == kScanProblemNone && g_filesClassified != 0) {
        HWND parent = GetParent(hwnd_);
        PostMessageA(parent, kTaskbarProgressMessage, 0, 0);
        PostMessageA(parent, WM_COMMAND, kCmdShowResults, 0);
        return;  // the page keeps its scanning view until the parent resets it
    }
    // Progress off: the parent hears nothing more of this scan.
    PostMessageA(GetParent(hwnd_), kTaskbarProgressMessage, 0, 0);
    SetScanState(0);
    busy_ = false;
    if (problem != kScanProblemNone)
        ShowScanProblem(problem);
    else if (!run_.Stopped() && (run_.UnlistableFolders() || run_.UnreadableFiles()))
        ShowIncompleteScanNotice(run_.UnlistableFolders(), run_.UnreadableFiles());
    else
        ShowNotFoundNotice();
}

int SelFileTypeWnd::Reset()
{
    // The containers belong to a running worker; it empties them itself when it starts.
    if (IsScanning())
        return 0;
    busy_ = false;
    g_scanDone = 0;
    SetScanState(0);
    run_.ClearResults();
    return 1;
}

void SelFileTypeWnd::SetScanState(int state)
{
    if (state == 1) {
        ShowItem(kCmdHiddenOn, false);
        ShowItem(kCmdHiddenOff, false);
        ShowItem(kCmdFileTypeFilter, false);
        ShowItem(kCmdSizeFilter, false);
        // The precision must not change under a running scan.
        ShowItem(kCmdSimilarFilter, false);
        if (UiItem* similar = FindItem(kCmdSimilarFilter))
            similar->Enable(0);
        locationIsDrive_ = IsDriveLocation(run_.m_location) ? 1 : 0;
        foundShown_ = 0;
        ShowItem(kCmdStopScan, true);
        frameIndex_ = 0;
        currentFrame_ = frames_[0];
    } else {
        g_duplicatesFound = 0;
        foundShown_ = 0;
        dropNoteShown_ = false;
        ShowItem(kCmdStopScan, false);
        SetIncludeHidden(includeHidden_);
        progressRatio_ = 0.0f;
        ShowItem(kCmdFileTypeFilter, true);
        ShowItem(kCmdSizeFilter, true);
        ShowItem(kCmdSimilarFilter, true);
        if (UiItem* similar = FindItem(kCmdSimilarFilter))
            similar->Enable(1);
    }
    scanView_ = state ? 1 : 0;
    InvalidateAll(TRUE);
}

void SelFileTypeWnd::EnableBrowse(int enabled)
{
    if (UiItem* browse = FindItem(kCmdBrowse))
        browse->Enable(enabled);
}

std::string SelFileTypeWnd::GetLocationText() const
{
    return LocationDisplayText(run_.m_location, GetLangString("Localdisk"));
}

void SelFileTypeWnd::StopForExit()
{
    g_scanCancelled = 1;
    run_.Stop();
    WaitForScanWorker(hwnd_, run_.Settled());
    // A worker given up at the stop still uses this page's scan and filter settings and the
    // finder: the process ends here, before any of that is torn down under it.
    if (run_.WorkerAbandoned())
        ExitProcess(0);
}

void SelFileTypeWnd::ShowNotFoundNotice() { ShowNotFoundNoticeDialog(); }

void SelFileTypeWnd::ShowScanProblem(ScanProblem problem) { ShowScanProblemDialog(hwnd_, problem); }

void SelFileTypeWnd::ShowIncompleteScanNotice(uint32_t folders, uint32_t files)
{
    ShowIncompleteScanDialog(hwnd_, folders, files);
}

void SelFileTypeWnd::OpenFileTypeFilter()
{
    FileNewTypeFilterWnd dlg(nullptr);
    dlg.SetFilterSettings(settings_.get());
    dlg.DoModal();
}

void SelFileTypeWnd::OpenSizeFilter()
{
    FilterFileSizeDlg dlg(nullptr);
    dlg.SetFilterSettings(settings_.get());
    dlg.DoModal();
}

void SelFileTypeWnd::OpenSimilarFilter()
{
    FileSimilarFilterDlg dlg(nullptr);
    dlg.DoModal();
}

bool SelFileTypeWnd::ChooseFolder(std::string& folder)
{
    return ChooseScanFolder(hwnd_, folder);
}

int SelFileTypeWnd::DrawBackground(HDC memoryDc)
{
    if (!background_ || !hwnd_)
        return 0;
    RECT client;
    GetClientRect(hwnd_, &client);
    const SIZE size = {client.right, client.bottom};
    if (size.cx < 1 || size.cy < 1)
        return 0;
    HDC cache = CreateCompatibleDC(memoryDc);
    if (!cache)
        return 0;
    // Scaling the picture costs more than a progress tick allows: it is scaled once per size.
    if (!backgroundCache_ || backgroundSize_.cx != size.cx || backgroundSize_.cy != size.cy) {
        if (backgroundCache_)
            DeleteObject(backgroundCache_);
        backgroundCache_ = CreateCompatibleBitmap(memoryDc, size.cx, size.cy);
        backgroundSize_ = size;
        if (backgroundCache_) {
            HGDIOBJ old = SelectObject(cache, backgroundCache_);
            RECT all = {0, 0, size.cx, size.cy};
            FillRect(cache, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            Gdiplus::Graphics graphics(cache);
            graphics.DrawImage(background_, 0, 0, size.cx, size.cy);
            SelectObject(cache, old);
        }
    }
    if (backgroundCache_) {
        HGDIOBJ old = SelectObject(cache, backgroundCache_);
        BitBlt(memoryDc, 0, 0, size.cx, size.cy, cache, 0, 0, SRCCOPY);
        SelectObject(cache, old);
    }
    DeleteDC(cache);
    return 0;
}

int SelFileTypeWnd::DrawForeground(HDC memoryDc)
{
    if (!hwnd_)
        return 0;
    RECT client;
    GetClientRect(hwnd_, &client);
    if (scanView_)
        DrawScanning(memoryDc, client);
    else
        DrawIdle(memoryDc, client);
    return 0;
}

void SelFileTypeWnd::DrawScanning(HDC dc, const RECT& client)
{
    ResourceHelper& helper = ResourceHelper::Instance();
    const RECT browse = ItemRect(kCmdBrowse);
    DrawImageAt(dc, currentFrame_, browse.left, browse.top);

    // The icon stands left of the centred location name.
    const std::string location = GetLocationText();
    const int lineTop = browse.bottom + 24;
    RECT measure = {0, 0, client.right, 40};
    HGDIOBJ oldFont = SelectObject(dc, helper.GetFont(32, 700, false));
    DrawTextA(dc, location.c_str(), -1, &measure, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, oldFont);
    const int iconSize = 32, gap = 10;
    int textWidth = measure.right - measure.left;
    if (textWidth > client.right - 200)
        textWidth = client.right - 200;
    const int blockLeft = (client.right - (iconSize + gap + textWidth)) / 2;
    DrawImageAt(dc, locationIsDrive_ ? driveIcon_ : folderIcon_, blockLeft, lineTop + 4);
    RECT line = {blockLeft + iconSize + gap, lineTop, blockLeft + iconSize + gap + textWidth,
                 lineTop + 40};
    helper.DrawString(dc, location.c_str(), line, kLocationColour, 32, 700,
                      kCentredEllipsis | DT_SINGLELINE);

    const std::string scanning = FormatLangString("Scanning", static_cast<double>(progressRatio_) * 100.0);
    RECT scanLine = {client.left, lineTop + 44, client.right, lineTop + 74};
    helper.DrawString(dc, scanning.c_str(), scanLine, kScanningColour, 22, 400,
                      kCentredEllipsis | DT_SINGLELINE);

    const std::string analysis = FoundText();
    RECT analysisLine = {client.left, lineTop + 78, client.right, lineTop + 112};
    helper.DrawString(dc, analysis.c_str(), analysisLine, kAnalysisColour, 26, 400,
                      kCentred | DT_SINGLELINE);

    const std::string note = DropNote();
    if (!note.empty()) {
        RECT noteLine = {client.left + 20, lineTop + 116, client.right - 20, lineTop + 146};
        helper.DrawString(dc, note.c_str(), noteLine, kDropNoteColour, 20, 400,
                          kCentredEllipsis | DT_SINGLELINE);
    }
}

std::string SelFileTypeWnd::FoundText() const
{
    const int found = static_cast<int>(foundShown_ & 0xFFFFFFFFu);
    return FormatLangCount("Analysis", found, found);
}

std::string SelFileTypeWnd::DropNote() const
{
    if (!dropNoteShown_ || !scanView_ || GetTickCount() - dropNoteSince_ >= kDropNoteMs)
        return std::string();
    const std::string text = GetLangString("DropWhileScanning");
    return text.empty()
               ? "A scan is running: stop it or wait for it to end before dropping another folder."
               : text;
}

void SelFileTypeWnd::DrawIdle(HDC dc, const RECT& client)
{
    const std::string text = GetLangString("indexText");
    RECT band = {client.left, client.bottom - 140, client.right, client.bottom - 90};
    ResourceHelper::Instance().DrawString(dc, text.c_str(), band, kIndexTextColour, 26, 600,
                                          kCentred | DT_SINGLELINE);
    const RECT browse = ItemRect(kCmdBrowse);
    DrawImageAt(dc, currentIdle_, browse.left, browse.top);
}

} // namespace UiCtrl
