// mfc/ListBox.h
// CListBox: a "LISTBOX" control.
#pragma once
#include "mfc/Wnd.h"

class CListBox : public CWnd
{
    DECLARE_DYNAMIC(CListBox)
public:
    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
    {
        return CWnd::CreateEx(0, "LISTBOX", nullptr, style, rect, parent, id);
    }
    int AddString(LPCSTR text) { return (int)SendMessage(LB_ADDSTRING, 0, (LPARAM)text); }
    int InsertString(int index, LPCSTR text) { return (int)SendMessage(LB_INSERTSTRING, index, (LPARAM)text); }
    int DeleteString(UINT index) { return (int)SendMessage(LB_DELETESTRING, index); }
    void ResetContent() { SendMessage(LB_RESETCONTENT); }
    int GetCount() const { return (int)SendMessage(LB_GETCOUNT); }
    int GetCurSel() const { return (int)SendMessage(LB_GETCURSEL); }
    int SetCurSel(int index) { return (int)SendMessage(LB_SETCURSEL, index); }
    int GetTopIndex() const { return (int)SendMessage(LB_GETTOPINDEX); }
    int SetTopIndex(int index) { return (int)SendMessage(LB_SETTOPINDEX, index); }
    int GetItemHeight(int index) const { return (int)SendMessage(LB_GETITEMHEIGHT, index); }
    int SetItemHeight(int index, UINT height) { return (int)SendMessage(LB_SETITEMHEIGHT, index, MAKELPARAM(height, 0)); }
    DWORD_PTR GetItemData(int index) const { return (DWORD_PTR)SendMessage(LB_GETITEMDATA, index); }
    int SetItemData(int index, DWORD_PTR data) { return (int)SendMessage(LB_SETITEMDATA, index, (LPARAM)data); }
    int GetItemRect(int index, LPRECT rect) const { return (int)SendMessage(LB_GETITEMRECT, index, (LPARAM)rect); }
    void GetText(int index, CString& text) const
    {
        int n = (int)SendMessage(LB_GETTEXTLEN, index);
        if (n < 0) {
            text.Empty();
            return;
        }
        SendMessage(LB_GETTEXT, index, (LPARAM)text.GetBuffer(n));
        text.ReleaseBuffer();
    }
};
