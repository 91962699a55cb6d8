// mfc/RichEditCtrl.h
// CRichEditCtrl: a rich-edit 2.0 control ("RichEdit20A"); Create loads its DLL once.
#pragma once
#include "mfc/Wnd.h"
#include <richedit.h>

class CRichEditCtrl : public CWnd
{
    DECLARE_DYNAMIC(CRichEditCtrl)
public:
    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
    {
        static HMODULE library = LoadLibraryA("riched20.dll");
        if (!library)
            return FALSE;
        return CWnd::CreateEx(0, RICHEDIT_CLASSA, nullptr, style, rect, parent, id);
    }
    void SetSel(long start, long end) { CHARRANGE range = {start, end}; SendMessage(EM_EXSETSEL, 0, (LPARAM)&range); }
    void GetSel(long& start, long& end) const
    {
        CHARRANGE range = {0, 0};
        SendMessage(EM_EXGETSEL, 0, (LPARAM)&range);
        start = range.cpMin;
        end = range.cpMax;
    }
    void ReplaceSel(LPCSTR text, BOOL canUndo = FALSE) { SendMessage(EM_REPLACESEL, canUndo, (LPARAM)text); }
    BOOL SetReadOnly(BOOL readOnly = TRUE) { return (BOOL)SendMessage(EM_SETREADONLY, readOnly); }
    COLORREF SetBackgroundColor(BOOL useSystem, COLORREF color) { return (COLORREF)SendMessage(EM_SETBKGNDCOLOR, useSystem, color); }
    BOOL SetDefaultCharFormat(CHARFORMATA& format) { format.cbSize = sizeof(format); return (BOOL)SendMessage(EM_SETCHARFORMAT, SCF_DEFAULT, (LPARAM)&format); }
    void LimitText(long max = 0) { SendMessage(EM_EXLIMITTEXT, 0, max); }
    DWORD SetEventMask(DWORD mask) { return (DWORD)SendMessage(EM_SETEVENTMASK, 0, mask); }
};
