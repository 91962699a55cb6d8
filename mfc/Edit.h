// mfc/Edit.h
// CEdit: an "EDIT" control.
#pragma once
#include "mfc/Wnd.h"

class CEdit : public CWnd
{
    DECLARE_DYNAMIC(CEdit)
public:
    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
    {
        return CWnd::CreateEx(0, "EDIT", nullptr, style, rect, parent, id);
    }
    void SetLimitText(UINT max) { ::SendMessageA(m_hWnd, EM_LIMITTEXT, max, 0); }
    void LimitText(int max = 0) { SetLimitText((UINT)max); }
    UINT GetLimitText() const { return (UINT)::SendMessageA(m_hWnd, EM_GETLIMITTEXT, 0, 0); }
    void SetSel(int start, int end, BOOL noScroll = FALSE)
    {
        ::SendMessageA(m_hWnd, EM_SETSEL, start, end);
        if (!noScroll)
            ::SendMessageA(m_hWnd, EM_SCROLLCARET, 0, 0);
    }
    void GetSel(int& start, int& end) const { ::SendMessageA(m_hWnd, EM_GETSEL, (WPARAM)&start, (LPARAM)&end); }
    void ReplaceSel(LPCSTR text, BOOL canUndo = FALSE) { ::SendMessageA(m_hWnd, EM_REPLACESEL, canUndo, (LPARAM)text); }
    BOOL SetReadOnly(BOOL readOnly = TRUE) { return (BOOL)::SendMessageA(m_hWnd, EM_SETREADONLY, readOnly, 0); }
    int GetLineCount() const { return (int)::SendMessageA(m_hWnd, EM_GETLINECOUNT, 0, 0); }
    void SetMargins(UINT left, UINT right) { ::SendMessageA(m_hWnd, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(left, right)); }
};
