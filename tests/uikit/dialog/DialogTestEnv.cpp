// tests/uikit/dialog/DialogTestEnv.cpp
#include "DialogTestEnv.h"

#include <gtest/gtest.h>
#include <string.h>

#include <fstream>

#include "app/ResourceLayout.h"

namespace dialogtest {

namespace {

CWinApp s_app("dialog tests");

// Every test leaves no step behind for the next one.
class CancelStepsAfterEachTest : public ::testing::EmptyTestEventListener
{
    void OnTestEnd(const ::testing::TestInfo&) override { CancelPending(); }
};
const bool s_listening = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new CancelStepsAfterEachTest);
    return true;
}();

POINT Centre(const RECT& r)
{
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

LPARAM ScreenPoint(HWND hwnd, POINT windowPoint)
{
    RECT window;
    GetWindowRect(hwnd, &window);
    return MAKELPARAM(window.left + windowPoint.x, window.top + windowPoint.y);
}

} // namespace

HWND FindSystemWindow(const char* className, const char* title)
{
    struct Search {
        const char* className;
        const char* title;
        HWND found;
        static BOOL CALLBACK Visit(HWND hwnd, LPARAM data)
        {
            auto* s = reinterpret_cast<Search*>(data);
            char name[64] = "", text[256] = "";
            GetClassNameA(hwnd, name, sizeof(name));
            GetWindowTextA(hwnd, text, sizeof(text));
            if (IsWindowVisible(hwnd) && !CWnd::FromHandlePermanent(hwnd) &&
                strcmp(name, s->className) == 0 && strcmp(text, s->title) == 0) {
                s->found = hwnd;
                return FALSE;
            }
            return TRUE;
        }
    } search = {className, title, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), &Search::Visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void PostKey(HWND hwnd, UINT key)
{
    PostMessageA(hwnd, WM_KEYDOWN, key, 1);
    PostMessageA(hwnd, WM_KEYUP, key, 0xC0000001);
}

void PostAltF4(HWND hwnd)
{
    PostMessageA(hwnd, WM_SYSKEYDOWN, VK_F4, 0x20000001);   // context code: Alt is down
    PostMessageA(hwnd, WM_SYSKEYUP, VK_F4, 0xE0000001);
}

void ClickCaptionItem(HomeBaseDialog& dlg, int id, bool releaseOnItem)
{
    // A press on the caption outside every item would start moving the window.
    UiCtrl::UiItem* item = dlg.FindCaptionItem(id);
    if (!item || !item->IsVisible())
        return;
    const LPARAM on = ScreenPoint(dlg.m_hWnd, Centre(item->Rect()));
    const LPARAM off = ScreenPoint(dlg.m_hWnd, {20, 30});
    PostMessageA(dlg.m_hWnd, WM_NCMOUSEMOVE, HTCAPTION, on);
    PostMessageA(dlg.m_hWnd, WM_NCLBUTTONDOWN, HTCAPTION, on);
    if (!releaseOnItem)
        PostMessageA(dlg.m_hWnd, WM_NCMOUSEMOVE, HTCAPTION, off);
    PostMessageA(dlg.m_hWnd, WM_NCLBUTTONUP, HTCAPTION, releaseOnItem ? on : off);
}

void ClickClientItem(HomeBaseDialog& dlg, int id)
{
    UiCtrl::UiItem* item = dlg.FindClientItem(id);
    if (!item)
        return;
    const POINT p = Centre(item->Rect());
    const LPARAM at = MAKELPARAM(p.x, p.y);
    PostMessageA(dlg.m_hWnd, WM_MOUSEMOVE, 0, at);
    PostMessageA(dlg.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(dlg.m_hWnd, WM_LBUTTONUP, 0, at);
}

void Settle(DWORD ms)
{
    Pump(ms);
}

OwnLayout::OwnLayout(const char* xml)
{
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    // One file per process: other test programs may run at the same time.
    path_ = std::string(folder) + "dialog-test-layout-" + std::to_string(GetCurrentProcessId()) +
            ".xml";
    std::ofstream(path_) << xml;
    SetResourceLayoutPath(path_.c_str());
}

OwnLayout::~OwnLayout()
{
    SetResourceLayoutPath(nullptr);
    DeleteFileA(path_.c_str());
}

} // namespace dialogtest
