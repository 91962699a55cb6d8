// mfc/WndCreation.cpp
#include "mfc/WndCreation.h"

namespace {

thread_local CWnd* t_pendingWnd;
thread_local HHOOK t_cbtHook;

LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && t_pendingWnd) {
        CWnd* wnd = t_pendingWnd;
        t_pendingWnd = nullptr;
        AfxWndAccess::AttachAtCreation(wnd, (HWND)wParam);
    }
    return CallNextHookEx(t_cbtHook, code, wParam, lParam);
}

} // namespace

AfxCreationScope::AfxCreationScope(CWnd* wnd) : m_savedPending(t_pendingWnd), m_savedHook(t_cbtHook)
{
    t_pendingWnd = wnd;
    t_cbtHook = SetWindowsHookExA(WH_CBT, CreationHook, nullptr, GetCurrentThreadId());
}

AfxCreationScope::~AfxCreationScope()
{
    if (t_cbtHook)
        UnhookWindowsHookEx(t_cbtHook);
    t_cbtHook = m_savedHook;
    t_pendingWnd = m_savedPending;
}
