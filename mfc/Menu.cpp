// mfc/Menu.cpp
#include "mfc/Menu.h"
#include "mfc/Wnd.h"
#include <map>

HMENU CMenu::GetSafeHmenu() const
{
    return this ? m_hMenu : nullptr;
}

CMenu* CMenu::FromHandle(HMENU menu)
{
    if (!menu)
        return nullptr;
    // Menus are few and small: one wrapper per handle for the life of the thread.
    thread_local std::map<HMENU, CMenu*>* wrappers = new std::map<HMENU, CMenu*>;
    CMenu*& wrapper = (*wrappers)[menu];
    if (!wrapper)
        wrapper = new CMenu;
    wrapper->m_hMenu = menu;
    return wrapper;
}

BOOL CMenu::Attach(HMENU menu)
{
    if (!menu || m_hMenu)
        return FALSE;
    m_hMenu = menu;
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU menu = m_hMenu;
    m_hMenu = nullptr;
    return menu;
}

BOOL CMenu::DestroyMenu()
{
    if (!m_hMenu)
        return FALSE;
    BOOL ok = ::DestroyMenu(m_hMenu);
    m_hMenu = nullptr;
    return ok;
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* wnd, LPCRECT)
{
    return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, wnd ? wnd->m_hWnd : nullptr, nullptr);
}

BOOL CMenu::TrackPopupMenuEx(UINT flags, int x, int y, CWnd* wnd, LPTPMPARAMS params)
{
    return ::TrackPopupMenuEx(m_hMenu, flags, x, y, wnd ? wnd->m_hWnd : nullptr, params);
}
