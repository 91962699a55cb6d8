// tests/uikit/dialog/DialogTestEnv.h
// Drives skinned dialogs from inside their modal loops (it brings the test program's one
// CWinApp object): steps run from a thread timer
// (tests/mfc/TestPump.h), input arrives as posted mouse and key messages, as a user's would.
#pragma once
#include <string>

#include "tests/mfc/TestPump.h"
#include "uikit/dialog/HomeBaseDialog.h"

namespace dialogtest {

// The first visible window of this thread whose object is a T (or null).
template <class T>
T* FindOpenDialog()
{
    struct Search {
        static BOOL CALLBACK Visit(HWND hwnd, LPARAM data)
        {
            if (!IsWindowVisible(hwnd))
                return TRUE;
            if (T* found = dynamic_cast<T*>(CWnd::FromHandlePermanent(hwnd))) {
                *reinterpret_cast<T**>(data) = found;
                return FALSE;
            }
            return TRUE;
        }
    };
    T* found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &Search::Visit, reinterpret_cast<LPARAM>(&found));
    return found;
}

// A visible window of this thread with that class and title that the layer does not know
// (the system's message box).
HWND FindSystemWindow(const char* className, const char* title);

void PostKey(HWND hwnd, UINT key);
// Alt+F4 as the keyboard sends it.
void PostAltF4(HWND hwnd);

// Moves onto, presses and releases the caption item (window coordinates of its rectangle).
// releaseOnItem false releases over the title instead. A hidden item is not pressed.
void ClickCaptionItem(HomeBaseDialog& dlg, int id, bool releaseOnItem = true);
// The same for a client widget.
void ClickClientItem(HomeBaseDialog& dlg, int id);

// Pumps for ms while the dialog's loop runs (from inside a step).
void Settle(DWORD ms = 100);

// A layout file of the test's own, used in place of "Resource.xml" until the object is
// destroyed.
class OwnLayout
{
public:
    explicit OwnLayout(const char* xml);
    ~OwnLayout();
    OwnLayout(const OwnLayout&) = delete;
    OwnLayout& operator=(const OwnLayout&) = delete;

private:
    std::string path_;
};

} // namespace dialogtest
