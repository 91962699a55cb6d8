// tests/ui/startpage/StartPageHost.cpp
#include "StartPageHost.h"

#include <shlobj.h>
#include <string.h>

namespace startpagetest {

namespace {

HWND g_keepWindow = nullptr;
int g_modalsSeen = 0;

BOOL CALLBACK CloseModal(HWND window, LPARAM)
{
    if (window == g_keepWindow || !IsWindowVisible(window))
        return TRUE;
    if (GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD)
        return TRUE;
    char cls[64] = {};
    GetClassNameA(window, cls, sizeof(cls));
    if (strcmp(cls, "#32770") != 0 && !(GetWindowLongPtrA(window, GWL_STYLE) & WS_POPUP))
        return TRUE;
    ++g_modalsSeen;
    PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

void CALLBACK CloseModalsTimer(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), CloseModal, 0);
}

} // namespace

RecordingParent& RecordingParent::Shared()
{
    static RecordingParent* parent = new RecordingParent;
    return *parent;
}

RecordingParent::RecordingParent()
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = "StartPageTestParent";
    RegisterClassA(&wc);
    hwnd_ = CreateWindowExA(0, wc.lpszClassName, "start page host", WS_POPUP | WS_VISIBLE |
                            WS_CLIPCHILDREN, 0, 0, 1200, 684, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

LRESULT CALLBACK RecordingParent::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<RecordingParent*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self && (message == UiCtrl::kTaskbarProgressMessage || message == WM_COMMAND)) {
        self->messages_.push_back({message, wParam, lParam});
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

int RecordingParent::CountCommand(WPARAM id) const
{
    int n = 0;
    for (const Message& m : messages_)
        n += m.message == WM_COMMAND && LOWORD(m.wParam) == id;
    return n;
}

int RecordingParent::CountProgress() const
{
    int n = 0;
    for (const Message& m : messages_)
        n += m.message == UiCtrl::kTaskbarProgressMessage && m.lParam == 100;
    return n;
}

bool RecordingParent::ProgressSwitchedOff() const
{
    for (const Message& m : messages_) {
        if (m.message == UiCtrl::kTaskbarProgressMessage && m.wParam == 0 && m.lParam == 0)
            return true;
    }
    return false;
}

void WatchedPage::ShowNotFoundNotice()
{
    ++notFoundShown;
    SelFileTypeWnd::ShowNotFoundNotice();
}

void WatchedPage::ShowScanProblem(ScanProblem problem)
{
    ++problemsShown;
    lastProblem = problem;
    SelFileTypeWnd::ShowScanProblem(problem);
}

void WatchedPage::ShowIncompleteScanNotice(uint32_t folders, uint32_t files)
{
    ++incompleteShown;
    foldersNotListed = folders;
    filesNotRead = files;
    SelFileTypeWnd::ShowIncompleteScanNotice(folders, files);
}

bool WatchedPage::ChooseFolder(std::string& folder)
{
    ++chooserOpened;
    if (realChooser)
        return SelFileTypeWnd::ChooseFolder(folder);
    if (chooserAnswer.empty())
        return false;
    folder = chooserAnswer;
    return true;
}

ModalCloser::ModalCloser(HWND keep)
{
    g_keepWindow = keep;
    g_modalsSeen = 0;
    timer_ = SetTimer(nullptr, 0, 100, CloseModalsTimer);
}

ModalCloser::~ModalCloser()
{
    KillTimer(nullptr, timer_);
    g_keepWindow = nullptr;
}

int ModalCloser::Seen() const
{
    return g_modalsSeen;
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        // One message at a time: a page that keeps its queue busy must not hold the test.
        MSG msg;
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return true;
}

void PumpFor(DWORD milliseconds)
{
    PumpUntil([] { return false; }, milliseconds);
}

HDROP MakeDrop(const std::vector<std::string>& paths)
{
    size_t bytes = sizeof(DROPFILES) + 1;
    for (const std::string& path : paths)
        bytes += path.size() + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    auto* block = static_cast<DROPFILES*>(GlobalLock(memory));
    block->pFiles = sizeof(DROPFILES);
    block->fWide = FALSE;
    char* names = reinterpret_cast<char*>(block) + sizeof(DROPFILES);
    for (const std::string& path : paths) {
        memcpy(names, path.c_str(), path.size() + 1);
        names += path.size() + 1;
    }
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

void ClickAt(HWND page, POINT point)
{
    const LPARAM at = MAKELPARAM(point.x, point.y);
    SendMessageA(page, WM_MOUSEMOVE, 0, at);
    SendMessageA(page, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(page, WM_LBUTTONUP, 0, at);
}

} // namespace startpagetest
