// ui/main/KvrUiDlg.cpp
#include "ui/main/KvrUiDlg.h"

#include <objbase.h>
#include <shellapi.h>
#include <stdio.h>
#include <tinyxml.h>

#include <string>
#include <vector>

#include "app/AppFolder.h"
#include "app/CrashHandler.h"
#include "app/LangString.h"
#include "app/LanguageFile.h"
#include "app/Language.h"
#include "app/ResourceHelper.h"
#include "app/ResourceLayout.h"
#include "app/UsageReport.h"
#include "app/WebAddress.h"
#include "finder/ScanState.h"
#include "ui/about/AboutDlg.h"
#include "ui/dialogs/StartAnalyeDlg.h"
#include "ui/main/MainDialogClass.h"
#include "ui/results/ScanResultPageLink.h"
#include "ui/update/CheckUpdate.h"
#include "uikit/dialog/KvrMessageBox.h"

using UiCtrl::UiItem;

namespace {

const int kIconId = 128;
const int kStartPageId = 1001;
const UINT kMenuBitmapSize = 13;

HBRUSH MenuBrush()
{
    static HBRUSH brush = CreateSolidBrush(0xFFFFFF);
    return brush;
}

// The language file's own text of key, read as UTF-16 so that every language shows its
// name in its own script.
std::wstring WideLangString(const char* key)
{
    wchar_t wideKey[128] = {};
    MultiByteToWideChar(CP_ACP, 0, key, -1, wideKey, 127);
    wchar_t text[1024] = {};
    GetPrivateProfileStringW(L"string", wideKey, L"", text, 1024,
                             ResourceHelper::Instance().GetLanguagePath().c_str());
    return text;
}

// Whether the system's code page holds the characters of a language file: its own name and
// its start-page text, read as UTF-16, must convert without a stand-in character.
bool LanguageShowable(const char* file)
{
    const std::string path = std::string(GetAppFolder()) + file;
    wchar_t widePath[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath, MAX_PATH - 1);
    // Every text of the file must show in the code page; the menu's language names are
    // drawn as UTF-16, each in its own script.
    static const std::vector<std::string> kMenuNames = {"LangEnglish", "LangJapanese", "LangDeutsch",
                                                        "LangFrench", "LangSpanish", "LangPortuguese"};
    return LanguageFileShowable(widePath, CP_ACP, kMenuNames);
}

} // namespace

UINT TaskbarButtonCreatedMessage()
{
    static const UINT message = RegisterWindowMessageA("TaskbarButtonCreated");
    return message;
}

BEGIN_MESSAGE_MAP(CKVRUIDlg, HomeBaseDialog)
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
END_MESSAGE_MAP()

CKVRUIDlg::CKVRUIDlg(CWnd* parent)
    : CKVRUIDlg(parent, std::unique_ptr<UiCtrl::SelFileTypeWnd>(new UiCtrl::SelFileTypeWnd),
                MakeScanResultPage())
{
}

CKVRUIDlg::CKVRUIDlg(CWnd* parent, std::unique_ptr<UiCtrl::SelFileTypeWnd> startPage,
                     std::unique_ptr<IResultsPage> resultsPage)
    : HomeBaseDialog(kMainDialogTemplateId, parent, true), startPage_(std::move(startPage)),
      resultsPage_(std::move(resultsPage))
{
    RegisterMainDialogClass();
    TaskbarButtonCreatedMessage();
    icon_ = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kIconId));
}

// Only an answered exit question ends the main window, and the end stops a running scan
// first: a bare IDCANCEL or IDOK would leave the scan worker writing into a dead page.
void CKVRUIDlg::OnOK() {}

void CKVRUIDlg::OnCancel()
{
    ConfirmExit();
}

CKVRUIDlg::~CKVRUIDlg()
{
    // The hand-over thread writes into the pages: they must outlive it.
    WaitForHandOver();
    taskbar_.Release();
    if (deviceNotify_)
        UnregisterDeviceNotification(deviceNotify_);
    if (m_hWnd && ::IsWindow(m_hWnd))
        DestroyWindow();
    resultsPage_.reset();
    startPage_.reset();
    if (comInitialised_)
        CoUninitialize();
}

RECT CKVRUIDlg::ComputePageRect() const
{
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    InflateRect(&client, -2, -2);
    client.top = -1;
    return client;
}

BOOL CKVRUIDlg::OnInitDialog()
{
    HomeBaseDialog::OnInitDialog();
    // A new main window takes scan completions again (a closed one refused them).
    g_scanCancelled = 0;
    ModifyStyleEx(0, WS_EX_ACCEPTFILES);
    if (icon_) {
        SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
        SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
    }
    SetWindowPos(nullptr, 0, 0, kMainWidth, kMainHeight, SWP_NOMOVE | SWP_NOZORDER);
    pageRect_ = ComputePageRect();

    const DWORD pageStyle = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    startPage_->CreateWin(m_hWnd, kStartPageId, pageRect_.left, pageRect_.top, pageRect_.right,
                          pageRect_.bottom, pageStyle);
    currentPage_ = startPage_->GetHwnd();
    resultsPage_->Create(m_hWnd, pageRect_);
    if (currentPage_)
        ::ShowWindow(currentPage_, SW_SHOW);

    item299_ = FindCaptionItem(kCaptionItem299);
    RegisterDeviceChange();
    CreateToolTip();
    EnableToolTips(FALSE);

    // An elevated process gets the shell's message only when it lets it through.
    typedef BOOL(WINAPI * FilterEx)(HWND, UINT, DWORD, void*);
    if (HMODULE user = GetModuleHandleA("user32.dll")) {
        if (auto filter = reinterpret_cast<FilterEx>(
                reinterpret_cast<void*>(GetProcAddress(user, "ChangeWindowMessageFilterEx")))) {
            CHANGEFILTERSTRUCT change = {sizeof(change), 0};
            filter(m_hWnd, TaskbarButtonCreatedMessage(), MSGFLT_ALLOW, &change);
        }
    }

    // The taskbar object needs COM; the shell may never announce the button (Wine does not),
    // so the object is asked for now as well as on the announcement.
    const HRESULT com = CoInitialize(nullptr);
    comInitialised_ = SUCCEEDED(com);
    if (!taskbar_.HasObject())
        taskbar_.Create(m_hWnd);
    return TRUE;
}

LRESULT CKVRUIDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case UiCtrl::kTaskbarProgressMessage:
        OnTaskbarProgress(wParam, lParam);
        return 1;
    case kShowWaitMessage:
        OnShowWait();
        return 1;
    case WM_TIMER:
        if (wParam == kHandOverRetryTimer) {
            KillTimer(kHandOverRetryTimer);
            OnShowWait();
            return 1;
        }
        break;
    case WM_WINDOWPOSCHANGING:
        KeepOffFullScreen(reinterpret_cast<WINDOWPOS*>(lParam));
        break;
    case WM_SIZE:
        // Maximised, restored or set back to its own size: the pages follow every change.
        if (wParam != SIZE_MINIMIZED)
            PlacePages();
        break;
    case kResultsScanFolderMessage:
        ScanFolderFromResults(reinterpret_cast<HWND>(wParam), reinterpret_cast<const char*>(lParam));
        return 1;
    case kBuildResultsMessage:
        // Not while the hand-over thread fills the same page.
        if (!HandOverRunning())
            BuildResults();
        return 1;
    case WM_COMMAND:
        if (wParam == ID_HELP)
            return 1;
        OnClickCmd(wParam, lParam);
        break;
    case WM_SYSCOMMAND:
        // Alt+F4, the system menu and a window manager's close button: the same question as
        // the caption's close item, or the results and their marks are lost unasked.
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            ConfirmExit();
            return 0;
        }
        break;
    case WM_CLOSE:
        // Only the answered question ends the program; a close from elsewhere (another
        // program, the system) asks first.
        if (exitConfirmed_)
            EndForClose();
        else
            ConfirmExit();
        return 1;
    case WM_NOTIFY:
        OnNotifyMessage(lParam);
        break;
    default:
        if (message == TaskbarButtonCreatedMessage()) {
            OnTaskbarButtonCreated();
            return 1;
        }
        break;
    }
    return HomeBaseDialog::WindowProc(message, wParam, lParam);
}

// A window without a system caption that covers its whole monitor is taken for a full-screen
// program: Wine asks the window manager for its full-screen state (which, undone on restore,
// can leave the manager's frame covering the screen and taking every click), and Windows hides
// the task bar. Where the work area is the whole monitor, the maximised window stops one row
// short of the bottom, so that it stays an ordinary window.
void CKVRUIDlg::KeepOffFullScreen(WINDOWPOS* pos)
{
    if (!pos || (pos->flags & SWP_NOSIZE) || IsIconic())
        return;
    const RECT wanted = {pos->x, pos->y, pos->x + pos->cx, pos->y + pos->cy};
    MONITORINFO monitor = {sizeof(monitor)};
    if (!GetMonitorInfoA(MonitorFromRect(&wanted, MONITOR_DEFAULTTONEAREST), &monitor))
        return;
    const RECT& full = monitor.rcMonitor;
    if (wanted.left <= full.left && wanted.top <= full.top && wanted.right >= full.right &&
        wanted.bottom >= full.bottom)
        pos->cy = full.bottom - pos->y - 1;
}

void CKVRUIDlg::EndForClose()
{
    if (closing_)
        return;  // a second close while the first waits for the scan to stop
    closing_ = true;
    if (startPage_->GetHwnd())
        startPage_->StopForExit();
    // The hand-over thread ends on its own (it only copies); the pages must outlive it.
    WaitForHandOver();
    EndDialog(2);
}

int CKVRUIDlg::OnClickCmd(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    HWND newPage = currentPage_;
    bool repaintCaption = false;
    switch (id) {
    case UiCtrl::kCmdShowResults:
        StartHandOver();
        return 1;
    case kCmdShowResultsPage:
        if (UiItem* item = FindCaptionItem(kCaptionRestore))
            item->SetVisible(0);
        if (UiItem* item = FindCaptionItem(kCaptionMaximise)) {
            item->SetVisible(1);
            item->Enable(1);
        }
        if (item299_)
            item299_->Enable(0);
        resultsPage_->OnShow();
        newPage = resultsPage_->Hwnd();
        repaintCaption = true;
        if (maximiseWithResults_) {
            maximiseWithResults_ = false;
            HomeBaseDialog::OnCommand(kCaptionMaximise, 0);
        }
        break;
    case kCmdBackToStart:
        if (UiItem* item = FindCaptionItem(kCaptionRestore))
            item->SetVisible(0);
        if (UiItem* item = FindCaptionItem(kCaptionMaximise)) {
            item->SetVisible(1);
            item->Enable(0);
        }
        // The start page has its own size; a maximised window is maximised again with the
        // next results.
        maximiseWithResults_ = maximiseWithResults_ || IsMaximised();
        if (IsMaximised())
            HomeBaseDialog::OnCommand(kCaptionRestore, 0);
        SetWindowPos(nullptr, 0, 0, kMainWidth, kMainHeight, SWP_NOMOVE | SWP_NOZORDER);
        if (resultsPage_->Hwnd() && reinterpret_cast<HWND>(lParam) == resultsPage_->Hwnd()) {
            // A reset refused while a scan runs keeps the results page up.
            if (startPage_->Reset()) {
                newPage = startPage_->GetHwnd();
                repaintCaption = true;
            }
        }
        break;
    case kCmdCaptionClose:
        ConfirmExit();
        break;
    case kCmdCaptionMenu:
        OnClickMenu();
        break;
    default:
        break;
    }
    if (newPage && newPage != currentPage_)
        SwitchToPage(newPage, repaintCaption);
    return 0;
}

void CKVRUIDlg::ScanFolderFromResults(HWND from, const char* path)
{
    if (!path || !resultsPage_->Hwnd() || from != resultsPage_->Hwnd())
        return;
    OnClickCmd(kCmdBackToStart, reinterpret_cast<LPARAM>(from));
    if (currentPage_ == startPage_->GetHwnd())
        startPage_->ScanFolder(path);
}

void CKVRUIDlg::SwitchToPage(HWND page, bool repaintCaption)
{
    if (repaintCaption)
        PaintCaption();
    if (currentPage_)
        ::SetWindowPos(currentPage_, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_HIDEWINDOW);
    ::BringWindowToTop(page);
    ::SetWindowPos(page, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_SHOWWINDOW);
    currentPage_ = page;
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

bool CKVRUIDlg::HandOverRunning() const
{
    return handOverThread_ && WaitForSingleObject(handOverThread_, 0) == WAIT_TIMEOUT;
}

void CKVRUIDlg::WaitForHandOver()
{
    if (!handOverThread_)
        return;
    WaitForSingleObject(handOverThread_, INFINITE);
    CloseHandle(handOverThread_);
    handOverThread_ = nullptr;
}

void CKVRUIDlg::StartHandOver()
{
    // One hand-over at a time: a second would fill the same page concurrently.
    if (closing_ || handOverThread_ || handOverPending_)
        return;
    // Cleared before the thread starts: the thread may finish before this thread runs on.
    g_resultsReady = 0;
    // No new scan may replace the results the thread is copying.
    if (HWND page = startPage_->GetHwnd())
        ::DragAcceptFiles(page, FALSE);
    handOverPending_ = true;
    handOverThread_ = CreateThread(nullptr, 0, AnalysisThreadProc, this, 0, nullptr);
    if (!handOverThread_)
        BuildResults();  // no thread to be had: build here, the wait dialog closes at once
    PostMessage(kShowWaitMessage, 0, 0);
}

DWORD WINAPI CKVRUIDlg::AnalysisThreadProc(LPVOID dialog)
{
    if (!dialog)
        return 0;
    static_cast<CKVRUIDlg*>(dialog)->BuildResults();
    return 0;
}

// g_resultsReady is cleared by the starter before the thread exists; clearing it here as well
// could only race the wait dialog.
void CKVRUIDlg::BuildResults()
{
    resultsPage_->SetStatistics(startPage_->GetStatistics());
    for (int category = 1; category <= 5; ++category) {
        FileGroupMap groups;
        startPage_->GetCategoryGroups(category, groups);
        resultsPage_->FillCategory(category, groups);
    }
    resultsPage_->SetRecordStore(startPage_->GetRecordStore());
    resultsPage_->SetCategoryCaptions();
    resultsPage_->SetLocationText(startPage_->GetLocationText());
    resultsPage_->SetScanOutcome(startPage_->Run().Outcome());
    g_resultsReady = 1;
}

void CKVRUIDlg::OnShowWait()
{
    // Only for a hand-over of ours: a stray message would wait on a flag nobody sets.
    if (!handOverPending_)
        return;
    // Closed meanwhile: the close already waited for the thread; no page is shown any more.
    if (closing_) {
        handOverPending_ = false;
        return;
    }
    // Another box (the close question, About) is open: the wait dialog would run inside its
    // loop and, on closing, hand the activation past it. Ask again once it is gone.
    if (OtherBoxOpen()) {
        SetTimer(kHandOverRetryTimer, 100, nullptr);
        return;
    }
    handOverPending_ = false;
    startPage_->SetScanState(0);
    RunWaitDialog();
    // The flag is set: the thread has nothing left but to return.
    WaitForHandOver();
    if (HWND page = startPage_->GetHwnd())
        ::DragAcceptFiles(page, TRUE);
    if (!closing_)
        PostMessage(WM_COMMAND, kCmdShowResultsPage, 0);
}

bool CKVRUIDlg::OtherBoxOpen() const
{
    // A box owned by this window disables it; a box of the program with no owner still runs
    // a modal loop of its own.
    const int ownLoop = IsInModalLoop() ? 1 : 0;
    return !::IsWindowEnabled(m_hWnd) || CDialog::RunningModalLoops() > ownLoop;
}

void CKVRUIDlg::RunWaitDialog()
{
    StartAnalyeDlg wait(this, nullptr, startPage_->Run().Stopped());
    wait.DoModal();
}

int CKVRUIDlg::ConfirmExit()
{
    // One question at a time: closes that arrive while it is open are answered by it.
    if (askingExit_ || exitConfirmed_ || closing_)
        return 0;
    askingExit_ = true;
    const bool yes = AskExit() == 1;
    askingExit_ = false;
    if (yes) {
        exitConfirmed_ = true;
        PostMessage(WM_CLOSE, 0, 0);
    }
    return 0;
}

int CKVRUIDlg::AskExit()
{
    return ShowKvrMessageBox(m_hWnd, GetLangString("ExitNow").c_str(), nullptr,
                             MB_YESNO | MB_ICONQUESTION, kMessageBoxTextColour);
}

MenuPlan CKVRUIDlg::BuildMenu() const
{
    const std::string config = std::string(GetAppFolder()) + "Config.dat";
    const bool canSwitch =
        GetPrivateProfileIntA("register", "CanSwitchLanguage", 0, config.c_str()) != 0;
    MenuTexts texts;
    texts.text = [](const char* key) { return GetLangString(key); };
    texts.wide = [](const char* key) { return WideLangString(key); };
    texts.showable = LanguageShowable;
    return BuildMenuPlan(GetResourceElement("MenuItem"), canSwitch, GetLanguageIndex(), texts);
}

int CKVRUIDlg::RunMenu(HMENU menu, POINT at)
{
    return TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, m_hWnd, nullptr);
}

int CKVRUIDlg::OnClickMenu()
{
    POINT cursor = {0, 0};
    GetCursorPos(&cursor);
    if (!GetResourceElement("MenuItem"))
        return 0;
    menuPlan_ = BuildMenu();

    HMENU menu = CreatePopupMenu();
    std::vector<HMENU> submenus;
    std::vector<HBITMAP> bitmaps;
    int position = 0;
    for (const MenuPlanEntry& entry : menuPlan_.entries) {
        if (entry.isLanguageMenu) {
            HMENU submenu = CreatePopupMenu();
            for (const MenuPlanEntry& language : entry.languages)
                AppendMenuW(submenu, language.flags, language.id, language.wideText.c_str());
            AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), entry.text.c_str());
            submenus.push_back(submenu);
        } else {
            AppendMenuA(menu, MF_STRING, entry.id, entry.text.c_str());
        }
        if (entry.iconId) {
            HBITMAP bitmap = static_cast<HBITMAP>(
                LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(entry.iconId),
                           IMAGE_BITMAP, kMenuBitmapSize, kMenuBitmapSize, 0));
            if (bitmap) {
                SetMenuItemBitmaps(menu, position, MF_BYPOSITION, bitmap, bitmap);
                bitmaps.push_back(bitmap);
            }
        }
        ++position;
    }
    MENUINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIM_BACKGROUND;
    info.hbrBack = MenuBrush();
    SetMenuInfo(menu, &info);

    const int chosen = RunMenu(menu, POINT{cursor.x, cursor.y + 16});
    PostMessage(WM_NULL, 0, 0);
    // Destroying the menu destroys its submenus with it.
    DestroyMenu(menu);
    for (HBITMAP bitmap : bitmaps)
        DeleteObject(bitmap);

    switch (chosen) {
    case kMenuAbout:
        ShowAbout();
        SendUsageEvent(kUsageMenuAbout);
        break;
    case kMenuHelp: {
        OpenWebAddress(nullptr, GetLangString("helpUrl"));
        SendUsageEvent(kUsageMenuHelp);
        break;
    }
    case kMenuCheckUpdate:
        ShowCheckUpdate();
        break;
    default:
        if (chosen >= kFirstLanguageId && chosen <= kLastLanguageId)
            SwitchLanguage(chosen);
        break;
    }
    return 0;
}

bool CKVRUIDlg::SwitchLanguage(int menuId)
{
    const int index = LanguageIndexOfMenuId(menuPlan_, menuId);
    const char* file = LanguageFileOfMenuId(menuPlan_, menuId);
    if (index < 0 || !file || index >= kLanguageCount)
        return false;
    const std::string fileName = file;  // the plan may be rebuilt below
    if (ResourceHelper::Instance().SetLanguage(index, fileName.c_str()) < 0)
        return false;
    SaveLanguageChoice(index, fileName.c_str());
    // The out-of-memory message is kept ready in the current language.
    PrepareCrashHandler(GetLangString("caption").c_str());
    for (auto& item : CaptionItems())
        item.second->ReloadText();
    for (auto& item : ClientItems())
        item.second->ReloadText();
    startPage_->ReloadText();
    resultsPage_->ReloadPageText();
    SetWindowText(GetLangString("caption").c_str());
    PaintCaption();
    if (currentPage_)
        ::InvalidateRect(currentPage_, nullptr, FALSE);
    SendUsageEvent(kUsageLanguageChange);
    return true;
}

void CKVRUIDlg::ShowAbout()
{
    AboutDlg about(this);
    about.DoModal();
}

void CKVRUIDlg::ShowCheckUpdate()
{
    CheckUpdate update(this);
    update.DoModal();
}

void CKVRUIDlg::OnTaskbarButtonCreated()
{
    taskbar_.Create(m_hWnd);
}

void CKVRUIDlg::OnTaskbarProgress(WPARAM wParam, LPARAM lParam)
{
    taskbar_.Show(m_hWnd, wParam, lParam);
}

void CKVRUIDlg::RegisterDeviceChange()
{
    DEV_BROADCAST_DEVICEINTERFACE_A filter = {};
    filter.dbcc_size = 32;
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    // The volume interface class.
    filter.dbcc_classguid = {0x53F5630D, 0xB6BF, 0x11D0,
                             {0x94, 0xF2, 0x00, 0xA0, 0xC9, 0x1E, 0xFB, 0x8B}};
    deviceNotify_ = RegisterDeviceNotificationA(m_hWnd, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
}

void CKVRUIDlg::CreateToolTip()
{
    toolTip_ = CreateWindowExA(0, TOOLTIPS_CLASSA, "", WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    if (!toolTip_)
        return;
    toolInfo_ = {};
    toolInfo_.cbSize = TTTOOLINFOA_V1_SIZE;  // the oldest form, which every control version takes
    toolInfo_.uFlags = TTF_IDISHWND | TTF_CENTERTIP | TTF_TRACK | TTF_ABSOLUTE | TTF_TRANSPARENT;
    toolInfo_.hwnd = m_hWnd;
    toolInfo_.uId = reinterpret_cast<UINT_PTR>(m_hWnd);
    toolInfo_.hinst = GetModuleHandleA(nullptr);
    toolInfo_.lpszText = LPSTR_TEXTCALLBACKA;
    ::SendMessageA(toolTip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&toolInfo_));
    ::SendMessageA(toolTip_, TTM_SETTIPBKCOLOR, 0x31241E, 0);
    ::SendMessageA(toolTip_, TTM_SETTIPTEXTCOLOR, 0xFFFFFF, 0);
}

bool CKVRUIDlg::ShowCaptionTip(int x, int y, bool show, const char* text, bool atTop)
{
    if (!toolTip_ || !::IsWindow(toolTip_))
        return false;
    if (show && text) {
        snprintf(tipText_, sizeof(tipText_), "%s", text);
        ::SetWindowPos(toolTip_, HWND_TOPMOST, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        // x comes in screen coordinates (the caption's mouse messages carry them); converting
        // it again would move the tip by the window's own offset.
        POINT top = {0, 12};
        ::ClientToScreen(m_hWnd, &top);
        const int tipY = atTop ? top.y : y + 30;
        ::PostMessageA(toolTip_, TTM_TRACKPOSITION, 0, MAKELPARAM(x, tipY));
        ::PostMessageA(toolTip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&toolInfo_));
        return true;
    }
    ::SendMessageA(toolTip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&toolInfo_));
    ::SetWindowPos(toolTip_, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    return true;
}

LRESULT CKVRUIDlg::OnNotifyMessage(LPARAM lParam)
{
    NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
    if (header && header->code == TTN_GETDISPINFOA && header->hwndFrom == toolTip_)
        reinterpret_cast<NMTTDISPINFOA*>(header)->lpszText = tipText_;
    return 0;
}

void CKVRUIDlg::OnMaximizeChanged(bool)
{
    PlacePages();
}

void CKVRUIDlg::PlacePages()
{
    if (!m_hWnd)
        return;
    pageRect_ = ComputePageRect();
    const int width = pageRect_.right - pageRect_.left;
    const int height = pageRect_.bottom - pageRect_.top;
    for (HWND page : {startPage_->GetHwnd(), resultsPage_->Hwnd()}) {
        if (page)
            ::MoveWindow(page, pageRect_.left, pageRect_.top, width, height, TRUE);
    }
}

BOOL CKVRUIDlg::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_ESCAPE || msg->wParam == VK_RETURN))
        return TRUE;
    return HomeBaseDialog::PreTranslateMessage(msg);
}

BOOL CKVRUIDlg::DestroyWindow()
{
    if (toolTip_ && ::IsWindow(toolTip_))
        ::DestroyWindow(toolTip_);
    toolTip_ = nullptr;
    return HomeBaseDialog::DestroyWindow();
}

void CKVRUIDlg::OnPaint()
{
    if (IsIconic()) {
        CPaintDC dc(this);
        SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
        const int iconWidth = GetSystemMetrics(SM_CXICON);
        const int iconHeight = GetSystemMetrics(SM_CYICON);
        CRect client;
        GetClientRect(&client);
        const int x = (client.Width() - iconWidth + 1) / 2;
        const int y = (client.Height() - iconHeight + 1) / 2;
        dc.DrawIcon(x, y, icon_);
        return;
    }
    HomeBaseDialog::OnPaint();
}

HCURSOR CKVRUIDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(icon_);
}
