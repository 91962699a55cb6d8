// tests/ui/main/MainWindowManagedTest.cpp
// The main dialog under a window manager (openbox, run by run-under-openbox.sh), clicked
// through the X server as a user clicks it: maximise and restore from the caption's own
// buttons leave the manager sound: the maximised window is no full-screen window to it, and
// every later click still reaches the window under the pointer, the program's and another's.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdio.h>

#include <string>

#include "tests/support/WinePath.h"
#include "tests/ui/startpage/StartPageHost.h"
#include "ui/main/KvrUiDlg.h"
#include "ui/main/MainDialogClass.h"
#include "ui/results/ScanResultPageLink.h"

using startpagetest::MakeDrop;
using startpagetest::PumpFor;
using startpagetest::PumpUntil;

namespace {

// A real click of the X server at a screen point (xdotool; Wine's screen is the X screen).
void ClickScreen(POINT at)
{
    char command[128];
    snprintf(command, sizeof command, "xdotool mousemove %ld %ld click 1", at.x, at.y);
    STARTUPINFOA startup = {sizeof(startup)};
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA("Z:\\usr\\bin\\xdotool", command, nullptr, nullptr, FALSE, 0,
                               nullptr, nullptr, &startup, &process))
        << GetLastError();
    // A Unix program's handle cannot be waited on: the callers wait for its effect.
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

// Another program's window, as far as the clicks go: a plain top-level window that counts the
// clicks it gets.
class Witness {
public:
    explicit Witness(const RECT& at)
    {
        WNDCLASSA cls = {};
        cls.lpfnWndProc = Proc;
        cls.hInstance = GetModuleHandleA(nullptr);
        cls.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        cls.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
        cls.lpszClassName = "ManagedTestWitness";
        RegisterClassA(&cls);
        hwnd_ = CreateWindowExA(0, cls.lpszClassName, "witness", WS_POPUP, at.left, at.top,
                                at.right - at.left, at.bottom - at.top, nullptr, nullptr,
                                cls.hInstance, nullptr);
        ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
    }
    ~Witness() { DestroyWindow(hwnd_); }
    HWND Hwnd() const { return hwnd_; }
    static int clicks;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_LBUTTONDOWN)
            ++clicks;
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    HWND hwnd_;
};
int Witness::clicks = 0;

RECT WindowRectOf(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

bool SameRect(const RECT& a, const RECT& b)
{
    return EqualRect(&a, &b) != FALSE;
}

// The window's _NET_WM_STATE as the X server holds it (xprop, through a file: a Unix
// program's handle cannot be waited on).
std::string NetWmState(HWND window)
{
    const auto xid = reinterpret_cast<uintptr_t>(GetPropA(window, "__wine_x11_whole_window"));
    if (!xid)
        return "<no X window>";
    const char* file = "Z:\\tmp\\main-window-managed-state.txt";
    DeleteFileA(file);
    char command[256];
    snprintf(command, sizeof command,
             "/bin/sh -c \"xprop -id %lu _NET_WM_STATE > /tmp/main-window-managed-state.tmp; "
             "mv /tmp/main-window-managed-state.tmp /tmp/main-window-managed-state.txt\"",
             static_cast<unsigned long>(xid));
    STARTUPINFOA startup = {sizeof(startup)};
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA("Z:\\bin\\sh", command, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return "<xprop not started>";
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::string text;
    PumpUntil([&] {
        FILE* f = fopen(file, "rb");
        if (!f)
            return false;
        char buffer[512] = {};
        text.assign(buffer, fread(buffer, 1, sizeof buffer - 1, f));
        fclose(f);
        return true;
    }, 5000);
    return text.empty() ? "<no answer>" : text;
}

// Maximised: the work area, but for the bottom row where the work area is the whole monitor.
bool FillsWorkArea(const RECT& window, const RECT& work, const RECT& monitor)
{
    const int bottom = EqualRect(&work, &monitor) ? work.bottom - 1 : work.bottom;
    return window.left == work.left && window.top == work.top && window.right == work.right &&
           window.bottom == bottom;
}

} // namespace

TEST(MainWindowUnderAManager, MaximiseAndRestoreLeaveEveryClickReachingItsWindow)
{
    CKVRUIDlg dialog(nullptr);
    ASSERT_TRUE(dialog.Create(kMainDialogTemplateId, nullptr));
    dialog.ShowWindow(SW_SHOW);
    HWND main = dialog.GetSafeHwnd();
    PumpFor(1000);  // mapped and placed by the manager
    // Maximise is offered on the results page: a real scan leads there.
    dialog.StartPage().OnDropFiles(MakeDrop({FixtureDir() + "\\startpage\\dups"}));
    ASSERT_TRUE(PumpUntil([&] { return dialog.CurrentPage() == dialog.ResultsPage().Hwnd(); },
                          30000));
    PumpFor(500);
    MONITORINFO monitor = {sizeof(monitor)};
    ASSERT_TRUE(GetMonitorInfoA(MonitorFromWindow(main, MONITOR_DEFAULTTONEAREST), &monitor));
    const RECT work = monitor.rcWork;
    const RECT screen = monitor.rcMonitor;
    auto clickCaption = [&](int id) {
        UiCtrl::UiItem* item = dialog.FindCaptionItem(id);
        ASSERT_TRUE(item);
        ASSERT_TRUE(item->IsVisible()) << id;
        const RECT window = WindowRectOf(main);
        const RECT& r = item->Rect();
        ClickScreen({window.left + (r.left + r.right) / 2, window.top + (r.top + r.bottom) / 2});
    };

    RECT restoredAt[2] = {};
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round ? "second round" : "first round");
        clickCaption(kCaptionMaximise);
        ASSERT_TRUE(PumpUntil([&] { return FillsWorkArea(WindowRectOf(main), work, screen); },
                              5000)) << "not maximised to the work area";
        PumpFor(500);
        // A maximised window, not a full-screen one: the manager keeps its frame its own.
        const std::string state = NetWmState(main);
        EXPECT_EQ(std::string::npos, state.find("_NET_WM_STATE_FULLSCREEN")) << state;
        EXPECT_EQ(std::string::npos, state.find('<')) << state;
        clickCaption(kCaptionRestore);
        ASSERT_TRUE(PumpUntil([&] {
            const RECT now = WindowRectOf(main);
            return now.right - now.left == kMainWidth && now.bottom - now.top == kMainHeight;
        }, 5000)) << "not restored";
        PumpFor(500);
        restoredAt[round] = WindowRectOf(main);
    }
    EXPECT_TRUE(SameRect(restoredAt[0], restoredAt[1]));  // the same place each time
    const RECT restored = restoredAt[1];

    // Where only the maximised window had been, another window takes its click.
    const RECT spot = {work.right - 160, work.bottom - 110, work.right - 10, work.bottom - 10};
    RECT overlap;
    ASSERT_FALSE(IntersectRect(&overlap, &spot, &restored)) << "no free spot beside the window";
    Witness witness(spot);
    PumpFor(800);
    Witness::clicks = 0;
    ClickScreen({(spot.left + spot.right) / 2, (spot.top + spot.bottom) / 2});
    EXPECT_TRUE(PumpUntil([] { return Witness::clicks > 0; }, 5000))
        << "a click beside the restored window did not reach the window under it";
    dialog.DestroyWindow();
    PumpFor(100);
}
