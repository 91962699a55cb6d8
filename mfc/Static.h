// mfc/Static.h
// CStatic: a "STATIC" control.
#pragma once
#include "mfc/Wnd.h"

class CStatic : public CWnd
{
    DECLARE_DYNAMIC(CStatic)
public:
    virtual BOOL Create(LPCSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF)
    {
        return CWnd::CreateEx(0, "STATIC", text, style, rect, parent, id);
    }
    HBITMAP SetBitmap(HBITMAP bitmap) { return (HBITMAP)::SendMessageA(m_hWnd, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)bitmap); }
    HICON SetIcon(HICON icon) { return (HICON)::SendMessageA(m_hWnd, STM_SETICON, (WPARAM)icon, 0); }
};
