// mfc/ToolTipCtrl.h
// CToolTipCtrl: a "tooltips_class32" pop-up. Pop-ups get no child id (Wine refuses one).
#pragma once
#include "mfc/Wnd.h"
#include <commctrl.h>

class CToolTipCtrl : public CWnd
{
public:
    virtual BOOL Create(CWnd* parent, DWORD style = 0)
    {
        return CWnd::CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | style, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent ? parent->m_hWnd : nullptr,
                              nullptr);
    }
    // A tool for a rectangle of wnd (id non-zero) or for the whole of wnd (id 0).
    BOOL AddTool(CWnd* wnd, LPCSTR text = LPSTR_TEXTCALLBACKA, LPCRECT rect = nullptr, UINT_PTR id = 0)
    {
        TOOLINFOA info = MakeInfo(wnd, id);
        if (!id)
            info.uFlags |= TTF_IDISHWND | TTF_SUBCLASS;
        else if (rect)
            info.rect = *rect;
        info.lpszText = (LPSTR)text;
        return (BOOL)SendMessage(TTM_ADDTOOLA, 0, (LPARAM)&info);
    }
    void DelTool(CWnd* wnd, UINT_PTR id = 0)
    {
        TOOLINFOA info = MakeInfo(wnd, id);
        SendMessage(TTM_DELTOOLA, 0, (LPARAM)&info);
    }
    void UpdateTipText(LPCSTR text, CWnd* wnd, UINT_PTR id = 0)
    {
        TOOLINFOA info = MakeInfo(wnd, id);
        info.lpszText = (LPSTR)text;
        SendMessage(TTM_UPDATETIPTEXTA, 0, (LPARAM)&info);
    }
    void Activate(BOOL activate) { SendMessage(TTM_ACTIVATE, activate); }
    void RelayEvent(MSG* msg) { SendMessage(TTM_RELAYEVENT, 0, (LPARAM)msg); }
    void SetTipBkColor(COLORREF color) { SendMessage(TTM_SETTIPBKCOLOR, color); }
    void SetTipTextColor(COLORREF color) { SendMessage(TTM_SETTIPTEXTCOLOR, color); }
    int SetMaxTipWidth(int width) { return (int)SendMessage(TTM_SETMAXTIPWIDTH, 0, width); }
    void SetDelayTime(DWORD kind, int ms) { SendMessage(TTM_SETDELAYTIME, kind, ms); }
    int GetToolCount() const { return (int)SendMessage(TTM_GETTOOLCOUNT); }
    void Pop() { SendMessage(TTM_POP); }

private:
    TOOLINFOA MakeInfo(CWnd* wnd, UINT_PTR id) const
    {
        TOOLINFOA info = {};
        info.cbSize = TTTOOLINFOA_V1_SIZE; // the 40-byte record every comctl32 takes
        info.hwnd = id ? wnd->GetSafeHwnd() : ::GetParent(wnd->GetSafeHwnd());
        info.uId = id ? id : (UINT_PTR)wnd->GetSafeHwnd();
        info.hinst = GetModuleHandleA(nullptr);
        if (!info.hwnd)
            info.hwnd = wnd->GetSafeHwnd();
        return info;
    }
};
