// mfc/Button.h
// CButton: a "BUTTON" control. An owner-drawn button (BS_OWNERDRAW) draws itself in
// DrawItem, which the parent's WM_DRAWITEM reaches by reflection.
#pragma once
#include "mfc/Wnd.h"

class CButton : public CWnd
{
    DECLARE_DYNAMIC(CButton)
public:
    virtual BOOL Create(LPCSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id)
    {
        return CWnd::CreateEx(0, "BUTTON", caption, style, rect, parent, id);
    }
    int GetCheck() const { return (int)::SendMessageA(m_hWnd, BM_GETCHECK, 0, 0); }
    void SetCheck(int check) { ::SendMessageA(m_hWnd, BM_SETCHECK, check, 0); }
    UINT GetState() const { return (UINT)::SendMessageA(m_hWnd, BM_GETSTATE, 0, 0); }
    void SetState(BOOL highlight) { ::SendMessageA(m_hWnd, BM_SETSTATE, highlight, 0); }
    UINT GetButtonStyle() const { return (UINT)GetStyle() & 0xFFFF; }
    void SetButtonStyle(UINT style, BOOL redraw = TRUE) { ::SendMessageA(m_hWnd, BM_SETSTYLE, style, redraw); }
    HBITMAP SetBitmap(HBITMAP bitmap) { return (HBITMAP)::SendMessageA(m_hWnd, BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)bitmap); }
    HICON SetIcon(HICON icon) { return (HICON)::SendMessageA(m_hWnd, BM_SETIMAGE, IMAGE_ICON, (LPARAM)icon); }

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
