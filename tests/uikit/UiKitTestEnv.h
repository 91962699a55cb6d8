// tests/uikit/UiKitTestEnv.h
// Points the resource helper at the toolkit tests' own layout and language strings.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

#include "uikit/widget/UiItem.h"

namespace uikittest {

// Layout: tests/uikit/UiKitTestLayout.xml. Strings: a language file made in the temporary
// folder; the user's lists go to a fresh file of their own. Safe to call more than once.
void UseTestResources();
// The user-strings file the widgets write to.
std::wstring UserStringsPath();

// A top-level window that records the WM_COMMANDs posted to it (the widgets' owner).
class CommandSink {
public:
    CommandSink(int width = 400, int height = 300);
    ~CommandSink();
    HWND Hwnd() const { return hwnd_; }
    struct Command {
        WPARAM wParam;
        LPARAM lParam;
    };
    // Pumps pending messages of the thread, then hands out and forgets what arrived.
    std::vector<Command> Take();

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND hwnd_ = nullptr;
    std::vector<Command> commands_;
};

// One owner window for the whole test program: top-level windows cost Wine seconds to come
// and go when no window manager runs, so tests share this one (1200 x 800, visible).
CommandSink& SharedSink();

// Puts the widgets of the "Gallery" layout into the state of their column: 0 normal, 1 hover,
// 2 pressed, 3 disabled, 4 checked (selected for the file-kind row, pressed for the toggles).
void ShowEveryState(UiCtrl::UiItemMap& items);

} // namespace uikittest
