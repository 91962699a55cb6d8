// ui/main/KvrUiDlg.h
// The program's main window: a skinned dialog that hosts the start page and the results page,
// switches between them, hands a finished scan over to the results page on a thread of its
// own under the analysis wait dialog, shows the scan progress on the taskbar button, offers
// the popup menu (about, help, update check, language) and asks before the program ends.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <dbt.h>

#include <atomic>
#include <memory>

#include "ui/main/MenuPlan.h"
#include "ui/main/ResultsPageLink.h"
#include "ui/main/TaskbarProgress.h"
#include "ui/startpage/SelFileTypeWnd.h"
#include "uikit/dialog/HomeBaseDialog.h"

// Messages and commands of the main dialog (the start page's are in SelFileTypeWnd.h).
enum {
    kShowWaitMessage = 0x4401,       // to itself: the wait dialog while the results are built
    kBuildResultsMessage = 0x1789,   // builds the results on the UI thread
    kCmdShowResultsPage = 206,
    kCmdBackToStart = 201,           // from the results page, lParam its window
    kCmdCaptionClose = 148,
    kCmdCaptionMenu = 177,
    kCaptionMaximise = 133,
    kCaptionRestore = 136,
    kCaptionItem299 = 299,
    kHandOverRetryTimer = 0x4401,    // the wait dialog waits until no other box is open
};

constexpr int kMainWidth = 1200;
constexpr int kMainHeight = 725;

class CKVRUIDlg : public HomeBaseDialog
{
public:
    explicit CKVRUIDlg(CWnd* parent = nullptr);
    ~CKVRUIDlg() override;

    BOOL DestroyWindow() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;
    bool ShowCaptionTip(int x, int y, bool show, const char* text, bool atTop) override;
    void OnMaximizeChanged(bool maximised) override;

    // 1 for command 200 (no page switch), else 0.
    int OnClickCmd(WPARAM wParam, LPARAM lParam);
    int OnClickMenu();
    // A folder dropped on the results page (from): back to the start page, which scans it.
    void ScanFolderFromResults(HWND from, const char* path);
    // Copies the finished scan into the results page and sets g_resultsReady.
    void BuildResults();
    // Asks "ExitNow"; on yes posts the WM_CLOSE that ends the program. Every way of closing
    // (the caption's item, Alt+F4, the system menu, a window manager, WM_CLOSE) comes here.
    int ConfirmExit();
    void OnTaskbarButtonCreated();
    void OnTaskbarProgress(WPARAM wParam, LPARAM lParam);

    UiCtrl::SelFileTypeWnd& StartPage() { return *startPage_; }
    IResultsPage& ResultsPage() { return *resultsPage_; }
    HWND CurrentPage() const { return currentPage_; }
    const RECT& PageRect() const { return pageRect_; }
    TaskbarProgress& Taskbar() { return taskbar_; }
    HWND ToolTipWindow() const { return toolTip_; }
    // True while the hand-over thread fills the results page.
    bool HandOverRunning() const;
    // The menu as last built by OnClickMenu.
    const MenuPlan& LastMenuPlan() const { return menuPlan_; }
    // Whether a modal box of the program other than this window runs now: the hand-over's wait
    // dialog must not run inside its loop.
    bool OtherBoxOpen() const;
    // The language switch of menu id (100..199); true when the language changed.
    bool SwitchLanguage(int menuId);

    // The menu plan OnClickMenu shows (tests look at it without opening the menu).
    MenuPlan BuildMenu() const;

protected:
    // The pages; a host may give its own (tests).
    CKVRUIDlg(CWnd* parent, std::unique_ptr<UiCtrl::SelFileTypeWnd> startPage,
              std::unique_ptr<IResultsPage> resultsPage);
    // The modal answers; virtual so that a host can give them.
    virtual int AskExit();
    virtual int RunMenu(HMENU menu, POINT at);
    virtual void RunWaitDialog();
    // The about and update-check dialogs, modal over the main window.
    virtual void ShowAbout();
    virtual void ShowCheckUpdate();

    void OnOK() override;
    void OnCancel() override;
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    DECLARE_MESSAGE_MAP()

private:
    static DWORD WINAPI AnalysisThreadProc(LPVOID dialog);
    void StartHandOver();
    void WaitForHandOver();
    void OnShowWait();
    void PlacePages();
    void SwitchToPage(HWND page, bool repaintCaption);
    void RegisterDeviceChange();
    void CreateToolTip();
    LRESULT OnNotifyMessage(LPARAM lParam);
    RECT ComputePageRect() const;
    void EndForClose();
    void KeepOffFullScreen(WINDOWPOS* pos);

    std::unique_ptr<UiCtrl::SelFileTypeWnd> startPage_;
    std::unique_ptr<IResultsPage> resultsPage_;
    HWND currentPage_ = nullptr;
    RECT pageRect_ = {0, 0, 0, 0};
    HICON icon_ = nullptr;
    UiCtrl::UiItem* item299_ = nullptr;
    HWND toolTip_ = nullptr;
    TOOLINFOA toolInfo_ = {};
    char tipText_[260] = {};
    HDEVNOTIFY deviceNotify_ = nullptr;
    TaskbarProgress taskbar_;
    bool comInitialised_ = false;
    HANDLE handOverThread_ = nullptr;
    bool handOverPending_ = false;   // from command 200 until its wait dialog ran
    bool closing_ = false;
    // Back left a maximised window: the next results page shows maximised again.
    bool maximiseWithResults_ = false;
    bool askingExit_ = false;     // the exit question is open
    bool exitConfirmed_ = false;  // the user answered yes: the next WM_CLOSE ends the program
    MenuPlan menuPlan_;
};

// The id of the registered "TaskbarButtonCreated" message.
UINT TaskbarButtonCreatedMessage();
