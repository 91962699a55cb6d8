// mfc/Menu.h
// CMenu: a menu handle wrapper that destroys the menu it owns.
#pragma once
#include "mfc/Object.h"
#include <windows.h>

class CWnd;

class CMenu : public CObject
{
public:
    HMENU m_hMenu = nullptr;

    CMenu() {}
    virtual ~CMenu() { DestroyMenu(); }

    operator HMENU() const { return m_hMenu; }
    // Allowed on a null pointer.
    HMENU GetSafeHmenu() const;
    // A temporary wrapper that owns nothing (deleted when the outermost loop is idle).
    static CMenu* FromHandle(HMENU menu);

    BOOL Attach(HMENU menu);
    HMENU Detach();
    BOOL CreateMenu() { return Attach(::CreateMenu()); }
    BOOL CreatePopupMenu() { return Attach(::CreatePopupMenu()); }
    BOOL LoadMenu(UINT id) { return Attach(::LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id))); }
    BOOL DestroyMenu();

    BOOL AppendMenu(UINT flags, UINT_PTR idOrPopup = 0, LPCSTR text = nullptr) { return ::AppendMenuA(m_hMenu, flags, idOrPopup, text); }
    BOOL InsertMenu(UINT position, UINT flags, UINT_PTR idOrPopup = 0, LPCSTR text = nullptr) { return ::InsertMenuA(m_hMenu, position, flags, idOrPopup, text); }
    BOOL DeleteMenu(UINT position, UINT flags) { return ::DeleteMenu(m_hMenu, position, flags); }
    BOOL RemoveMenu(UINT position, UINT flags) { return ::RemoveMenu(m_hMenu, position, flags); }
    UINT CheckMenuItem(UINT id, UINT check) { return ::CheckMenuItem(m_hMenu, id, check); }
    UINT EnableMenuItem(UINT id, UINT enable) { return ::EnableMenuItem(m_hMenu, id, enable); }
    BOOL SetMenuItemBitmaps(UINT position, UINT flags, HBITMAP unchecked, HBITMAP checked) { return ::SetMenuItemBitmaps(m_hMenu, position, flags, unchecked, checked); }
    BOOL SetMenuInfo(LPCMENUINFO info) { return ::SetMenuInfo(m_hMenu, info); }
    int GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
    UINT GetMenuItemID(int position) const { return ::GetMenuItemID(m_hMenu, position); }
    CMenu* GetSubMenu(int position) const { return FromHandle(::GetSubMenu(m_hMenu, position)); }
    // With TPM_RETURNCMD the chosen id (0 for none), else non-zero on success.
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* wnd, LPCRECT = nullptr);
    BOOL TrackPopupMenuEx(UINT flags, int x, int y, CWnd* wnd, LPTPMPARAMS params);
};
