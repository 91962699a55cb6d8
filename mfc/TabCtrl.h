// mfc/TabCtrl.h
// CTabCtrl: a tab control (ANSI messages). An owner-drawn one (TCS_OWNERDRAWFIXED) draws its
// tabs in DrawItem, which the parent's WM_DRAWITEM reaches by reflection.
#pragma once
#include "mfc/Wnd.h"
#include <commctrl.h>

class CTabCtrl : public CWnd
{
    DECLARE_DYNAMIC(CTabCtrl)
public:
    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
    {
        return CWnd::CreateEx(0, WC_TABCONTROLA, nullptr, style, rect, parent, id);
    }
    LONG InsertItem(int index, LPCSTR text)
    {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = (LPSTR)text;
        return (LONG)SendMessage(TCM_INSERTITEMA, index, (LPARAM)&item);
    }
    BOOL GetItem(int index, TCITEMA* item) const { return (BOOL)SendMessage(TCM_GETITEMA, index, (LPARAM)item); }
    BOOL SetItem(int index, TCITEMA* item) { return (BOOL)SendMessage(TCM_SETITEMA, index, (LPARAM)item); }
    BOOL DeleteItem(int index) { return (BOOL)SendMessage(TCM_DELETEITEM, index); }
    BOOL DeleteAllItems() { return (BOOL)SendMessage(TCM_DELETEALLITEMS); }
    int GetItemCount() const { return (int)SendMessage(TCM_GETITEMCOUNT); }
    int GetCurSel() const { return (int)SendMessage(TCM_GETCURSEL); }
    int SetCurSel(int index) { return (int)SendMessage(TCM_SETCURSEL, index); }
    BOOL GetItemRect(int index, LPRECT rect) const { return (BOOL)SendMessage(TCM_GETITEMRECT, index, (LPARAM)rect); }
    void AdjustRect(BOOL larger, LPRECT rect) { SendMessage(TCM_ADJUSTRECT, larger, (LPARAM)rect); }
    int HitTest(TCHITTESTINFO* info) const { return (int)SendMessage(TCM_HITTEST, 0, (LPARAM)info); }
    HIMAGELIST SetImageList(HIMAGELIST list) { return (HIMAGELIST)SendMessage(TCM_SETIMAGELIST, 0, (LPARAM)list); }

    virtual void DrawItem(LPDRAWITEMSTRUCT) {}

protected:
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
    {
        if (message == WM_DRAWITEM) {
            DrawItem((LPDRAWITEMSTRUCT)lParam);
            if (result)
                *result = TRUE;
            return TRUE;
        }
        return CWnd::OnChildNotify(message, wParam, lParam, result);
    }
};
