// mfc/MessageMap.h
// Message maps as plain tables:
//
//   // in the class:            DECLARE_MESSAGE_MAP()
//   // in the .cpp:
//   BEGIN_MESSAGE_MAP(CMyWnd, CWnd)
//       ON_WM_PAINT()
//       ON_COMMAND(IDOK, &CMyWnd::OnOK)
//       ON_MESSAGE(WM_APP + 1, &CMyWnd::OnAppMessage)
//       ON_NOTIFY_REFLECT(NM_CLICK, &CMyWnd::OnClick)
//   END_MESSAGE_MAP()
//
// Each entry carries a thunk that cracks wParam/lParam once and calls the handler with the
// usual signature (OnSize(UINT, int, int), OnLButtonDown(UINT, CPoint), ...). Handlers of
// ON_WM_xxx are found by name, so a class overrides them by declaring a member of that name.
#pragma once
#include "mfc/CmdTarget.h"

// One entry stands for every WM_CTLCOLOR* message; the handler gets the CTLCOLOR_* kind.
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif

#define DECLARE_MESSAGE_MAP()                          \
protected:                                             \
    static const AFX_MSGMAP* GetThisMessageMap();      \
    virtual const AFX_MSGMAP* GetMessageMap() const;   \
private:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                  \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                             \
    {                                                                           \
        typedef theClass ThisClass;                                             \
        typedef baseClass TheBaseClass;                                         \
        static_assert(sizeof(ThisClass) > 0, "complete class");                 \
        static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP()                                                       \
            {AfxMapEnd, 0, 0, 0, 0, nullptr, nullptr}                           \
        };                                                                      \
        static const AFX_MSGMAP map = {&TheBaseClass::GetThisMessageMap, &entries[0]}; \
        return &map;                                                            \
    }

// Thunk bodies: T is the object, C the call, R the result slot.
#define AFX_THUNK(...)                                                          \
    [](CCmdTarget* afxTarget, const AfxMessageCall& C) -> BOOL {                \
        ThisClass* T = static_cast<ThisClass*>(afxTarget);                      \
        LRESULT& R = *C.result;                                                 \
        (void)T; (void)R;                                                       \
        __VA_ARGS__                                                             \
    }
#define AFX_MSG_ENTRY(msg, ...) {AfxMapMessage, msg, 0, 0, 0, nullptr, AFX_THUNK(__VA_ARGS__)},
#define AFX_REFLECT_ENTRY(msg, ...) {AfxMapReflect, msg, 0, 0, 0, nullptr, AFX_THUNK(__VA_ARGS__)},
#define AFX_POINT_LPARAM CPoint((short)LOWORD(C.lParam), (short)HIWORD(C.lParam))

// Generic messages: LRESULT Handler(WPARAM, LPARAM).
#define ON_MESSAGE(msg, memberFxn) \
    AFX_MSG_ENTRY(msg, R = (T->*(memberFxn))(C.wParam, C.lParam); return TRUE;)
#define ON_REGISTERED_MESSAGE(msgVariable, memberFxn) \
    {AfxMapRegistered, 0, 0, 0, 0, &(msgVariable), AFX_THUNK(R = (T->*(memberFxn))(C.wParam, C.lParam); return TRUE;)},

// Commands. The lParam of a command may be a value (a widget's check state), not a control.
#define ON_COMMAND(id, memberFxn) \
    {AfxMapCommand, WM_COMMAND, 0, (UINT)(id), (UINT)(id), nullptr, AFX_THUNK((T->*(memberFxn))(); return TRUE;)},
#define ON_COMMAND_RANGE(firstId, lastId, memberFxn) \
    {AfxMapCommand, WM_COMMAND, 0, (UINT)(firstId), (UINT)(lastId), nullptr, AFX_THUNK((T->*(memberFxn))(C.id); return TRUE;)},
#define ON_CONTROL(code, id, memberFxn) \
    {AfxMapCommand, WM_COMMAND, (UINT)(code), (UINT)(id), (UINT)(id), nullptr, AFX_THUNK((T->*(memberFxn))(); return TRUE;)},
#define ON_CONTROL_RANGE(code, firstId, lastId, memberFxn) \
    {AfxMapCommand, WM_COMMAND, (UINT)(code), (UINT)(firstId), (UINT)(lastId), nullptr, AFX_THUNK((T->*(memberFxn))(C.id); return TRUE;)},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)

// Notifications: void Handler(NMHDR*, LRESULT*).
#define ON_NOTIFY(code, id, memberFxn) \
    {AfxMapNotify, WM_NOTIFY, (UINT)(code), (UINT)(id), (UINT)(id), nullptr, AFX_THUNK((T->*(memberFxn))((NMHDR*)C.lParam, C.result); return TRUE;)},
#define ON_NOTIFY_RANGE(code, firstId, lastId, memberFxn) \
    {AfxMapNotify, WM_NOTIFY, (UINT)(code), (UINT)(firstId), (UINT)(lastId), nullptr, AFX_THUNK((T->*(memberFxn))(C.id, (NMHDR*)C.lParam, C.result); return TRUE;)},

// Reflection: the parent passes what it did not handle back to the control that sent it.
#define ON_NOTIFY_REFLECT(code, memberFxn) \
    {AfxMapReflectNotify, WM_NOTIFY, (UINT)(code), 0, 0, nullptr, AFX_THUNK((T->*(memberFxn))((NMHDR*)C.lParam, C.result); return TRUE;)},
// BOOL Handler(NMHDR*, LRESULT*): FALSE leaves the message to the parent's default handling.
#define ON_NOTIFY_REFLECT_EX(code, memberFxn) \
    {AfxMapReflectNotify, WM_NOTIFY, (UINT)(code), 0, 0, nullptr, AFX_THUNK(return (T->*(memberFxn))((NMHDR*)C.lParam, C.result);)},
#define ON_CONTROL_REFLECT(code, memberFxn) \
    {AfxMapReflectCommand, WM_COMMAND, (UINT)(code), 0, 0, nullptr, AFX_THUNK((T->*(memberFxn))(); return TRUE;)},
#define ON_CONTROL_REFLECT_EX(code, memberFxn) \
    {AfxMapReflectCommand, WM_COMMAND, (UINT)(code), 0, 0, nullptr, AFX_THUNK(return (T->*(memberFxn))();)},
#define ON_BN_CLICKED_REFLECT(memberFxn) ON_CONTROL_REFLECT(BN_CLICKED, memberFxn)
// HBRUSH CtlColor(CDC*, UINT nCtlColor): a null brush leaves the message to the parent.
#define ON_WM_CTLCOLOR_REFLECT() \
    AFX_REFLECT_ENTRY(WM_CTLCOLOR, { CDC dc; dc.Attach((HDC)C.wParam); HBRUSH b = T->CtlColor(&dc, C.code); dc.Detach(); R = (LRESULT)b; return b != nullptr; })
#define ON_WM_DRAWITEM_REFLECT() \
    AFX_REFLECT_ENTRY(WM_DRAWITEM, T->DrawItem((LPDRAWITEMSTRUCT)C.lParam); R = TRUE; return TRUE;)
#define ON_WM_MEASUREITEM_REFLECT() \
    AFX_REFLECT_ENTRY(WM_MEASUREITEM, T->MeasureItem((LPMEASUREITEMSTRUCT)C.lParam); R = TRUE; return TRUE;)
#define ON_WM_HSCROLL_REFLECT() \
    AFX_REFLECT_ENTRY(WM_HSCROLL, T->HScroll(LOWORD(C.wParam), HIWORD(C.wParam)); return TRUE;)
#define ON_WM_VSCROLL_REFLECT() \
    AFX_REFLECT_ENTRY(WM_VSCROLL, T->VScroll(LOWORD(C.wParam), HIWORD(C.wParam)); return TRUE;)

// Window messages with typed handlers.
#define ON_WM_CREATE() AFX_MSG_ENTRY(WM_CREATE, R = T->OnCreate((LPCREATESTRUCT)C.lParam); return TRUE;)
#define ON_WM_DESTROY() AFX_MSG_ENTRY(WM_DESTROY, T->OnDestroy(); return TRUE;)
#define ON_WM_NCDESTROY() AFX_MSG_ENTRY(WM_NCDESTROY, T->OnNcDestroy(); return TRUE;)
#define ON_WM_CLOSE() AFX_MSG_ENTRY(WM_CLOSE, T->OnClose(); return TRUE;)
#define ON_WM_PAINT() AFX_MSG_ENTRY(WM_PAINT, T->OnPaint(); return TRUE;)
#define ON_WM_NCPAINT() AFX_MSG_ENTRY(WM_NCPAINT, T->OnNcPaint(); return TRUE;)
#define ON_WM_ERASEBKGND() \
    AFX_MSG_ENTRY(WM_ERASEBKGND, { CDC dc; dc.Attach((HDC)C.wParam); R = T->OnEraseBkgnd(&dc); dc.Detach(); return TRUE; })
#define ON_WM_SIZE() AFX_MSG_ENTRY(WM_SIZE, T->OnSize((UINT)C.wParam, (short)LOWORD(C.lParam), (short)HIWORD(C.lParam)); return TRUE;)
#define ON_WM_MOVE() AFX_MSG_ENTRY(WM_MOVE, T->OnMove((short)LOWORD(C.lParam), (short)HIWORD(C.lParam)); return TRUE;)
#define ON_WM_TIMER() AFX_MSG_ENTRY(WM_TIMER, T->OnTimer((UINT_PTR)C.wParam); return TRUE;)
#define ON_WM_LBUTTONDOWN() AFX_MSG_ENTRY(WM_LBUTTONDOWN, T->OnLButtonDown((UINT)C.wParam, AFX_POINT_LPARAM); return TRUE;)
#define ON_WM_LBUTTONUP() AFX_MSG_ENTRY(WM_LBUTTONUP, T->OnLButtonUp((UINT)C.wParam, AFX_POINT_LPARAM); return TRUE;)
#define ON_WM_LBUTTONDBLCLK() AFX_MSG_ENTRY(WM_LBUTTONDBLCLK, T->OnLButtonDblClk((UINT)C.wParam, AFX_POINT_LPARAM); return TRUE;)
#define ON_WM_RBUTTONDOWN() AFX_MSG_ENTRY(WM_RBUTTONDOWN, T->OnRButtonDown((UINT)C.wParam, AFX_POINT_LPARAM); return TRUE;)
#define ON_WM_RBUTTONUP() AFX_MSG_ENTRY(WM_RBUTTONUP, T->OnRButtonUp((UINT)C.wParam, AFX_POINT_LPARAM); return TRUE;)
#define ON_WM_MOUSEMOVE() AFX_MSG_ENTRY(WM_MOUSEMOVE, T->OnMouseMove((UINT)C.wParam, AFX_POINT_LPARAM); return TRUE;)
#define ON_WM_MOUSEWHEEL() \
    AFX_MSG_ENTRY(WM_MOUSEWHEEL, R = T->OnMouseWheel(LOWORD(C.wParam), (short)HIWORD(C.wParam), AFX_POINT_LPARAM); return TRUE;)
#define ON_WM_MOUSELEAVE() AFX_MSG_ENTRY(WM_MOUSELEAVE, T->OnMouseLeave(); return TRUE;)
#define ON_WM_MOUSEHOVER() AFX_MSG_ENTRY(WM_MOUSEHOVER, T->OnMouseHover((UINT)C.wParam, AFX_POINT_LPARAM); return TRUE;)
#define ON_WM_NCMOUSEMOVE() AFX_MSG_ENTRY(WM_NCMOUSEMOVE, T->OnNcMouseMove((UINT)C.wParam, AFX_POINT_LPARAM); return TRUE;)
#define ON_WM_NCMOUSELEAVE() AFX_MSG_ENTRY(WM_NCMOUSELEAVE, T->OnNcMouseLeave(); return TRUE;)
#define ON_WM_NCLBUTTONDOWN() AFX_MSG_ENTRY(WM_NCLBUTTONDOWN, T->OnNcLButtonDown((UINT)C.wParam, AFX_POINT_LPARAM); return TRUE;)
#define ON_WM_NCLBUTTONUP() AFX_MSG_ENTRY(WM_NCLBUTTONUP, T->OnNcLButtonUp((UINT)C.wParam, AFX_POINT_LPARAM); return TRUE;)
#define ON_WM_NCLBUTTONDBLCLK() AFX_MSG_ENTRY(WM_NCLBUTTONDBLCLK, T->OnNcLButtonDblClk((UINT)C.wParam, AFX_POINT_LPARAM); return TRUE;)
#define ON_WM_NCHITTEST() AFX_MSG_ENTRY(WM_NCHITTEST, R = T->OnNcHitTest(AFX_POINT_LPARAM); return TRUE;)
#define ON_WM_NCCALCSIZE() AFX_MSG_ENTRY(WM_NCCALCSIZE, T->OnNcCalcSize((BOOL)C.wParam, (NCCALCSIZE_PARAMS*)C.lParam); return TRUE;)
#define ON_WM_NCACTIVATE() AFX_MSG_ENTRY(WM_NCACTIVATE, R = T->OnNcActivate((BOOL)C.wParam); return TRUE;)
#define ON_WM_ACTIVATE() \
    AFX_MSG_ENTRY(WM_ACTIVATE, T->OnActivate(LOWORD(C.wParam), CWnd::FromHandle((HWND)C.lParam), (BOOL)HIWORD(C.wParam)); return TRUE;)
#define ON_WM_SETCURSOR() \
    AFX_MSG_ENTRY(WM_SETCURSOR, R = T->OnSetCursor(CWnd::FromHandle((HWND)C.wParam), LOWORD(C.lParam), HIWORD(C.lParam)); return TRUE;)
#define ON_WM_HSCROLL() \
    AFX_MSG_ENTRY(WM_HSCROLL, T->OnHScroll(LOWORD(C.wParam), HIWORD(C.wParam), (CScrollBar*)CWnd::FromHandle((HWND)C.lParam)); return TRUE;)
#define ON_WM_VSCROLL() \
    AFX_MSG_ENTRY(WM_VSCROLL, T->OnVScroll(LOWORD(C.wParam), HIWORD(C.wParam), (CScrollBar*)CWnd::FromHandle((HWND)C.lParam)); return TRUE;)
// HBRUSH OnCtlColor(CDC*, CWnd*, UINT nCtlColor), for every WM_CTLCOLOR* message.
#define ON_WM_CTLCOLOR() \
    AFX_MSG_ENTRY(WM_CTLCOLOR, { CDC dc; dc.Attach((HDC)C.wParam); R = (LRESULT)T->OnCtlColor(&dc, CWnd::FromHandle((HWND)C.lParam), C.code); dc.Detach(); return TRUE; })
#define ON_WM_DRAWITEM() AFX_MSG_ENTRY(WM_DRAWITEM, T->OnDrawItem((int)C.wParam, (LPDRAWITEMSTRUCT)C.lParam); R = TRUE; return TRUE;)
#define ON_WM_MEASUREITEM() AFX_MSG_ENTRY(WM_MEASUREITEM, T->OnMeasureItem((int)C.wParam, (LPMEASUREITEMSTRUCT)C.lParam); R = TRUE; return TRUE;)
#define ON_WM_QUERYDRAGICON() AFX_MSG_ENTRY(WM_QUERYDRAGICON, R = (LRESULT)T->OnQueryDragIcon(); return TRUE;)
#define ON_WM_SYSCOMMAND() AFX_MSG_ENTRY(WM_SYSCOMMAND, T->OnSysCommand((UINT)C.wParam, C.lParam); return TRUE;)
#define ON_WM_SHOWWINDOW() AFX_MSG_ENTRY(WM_SHOWWINDOW, T->OnShowWindow((BOOL)C.wParam, (UINT)C.lParam); return TRUE;)
#define ON_WM_SETFOCUS() AFX_MSG_ENTRY(WM_SETFOCUS, T->OnSetFocus(CWnd::FromHandle((HWND)C.wParam)); return TRUE;)
#define ON_WM_KILLFOCUS() AFX_MSG_ENTRY(WM_KILLFOCUS, T->OnKillFocus(CWnd::FromHandle((HWND)C.wParam)); return TRUE;)
#define ON_WM_KEYDOWN() AFX_MSG_ENTRY(WM_KEYDOWN, T->OnKeyDown((UINT)C.wParam, LOWORD(C.lParam), HIWORD(C.lParam)); return TRUE;)
#define ON_WM_KEYUP() AFX_MSG_ENTRY(WM_KEYUP, T->OnKeyUp((UINT)C.wParam, LOWORD(C.lParam), HIWORD(C.lParam)); return TRUE;)
#define ON_WM_CHAR() AFX_MSG_ENTRY(WM_CHAR, T->OnChar((UINT)C.wParam, LOWORD(C.lParam), HIWORD(C.lParam)); return TRUE;)
#define ON_WM_GETDLGCODE() AFX_MSG_ENTRY(WM_GETDLGCODE, R = T->OnGetDlgCode(); return TRUE;)
#define ON_WM_GETMINMAXINFO() AFX_MSG_ENTRY(WM_GETMINMAXINFO, T->OnGetMinMaxInfo((MINMAXINFO*)C.lParam); return TRUE;)
#define ON_WM_WINDOWPOSCHANGING() AFX_MSG_ENTRY(WM_WINDOWPOSCHANGING, T->OnWindowPosChanging((WINDOWPOS*)C.lParam); return TRUE;)
#define ON_WM_WINDOWPOSCHANGED() AFX_MSG_ENTRY(WM_WINDOWPOSCHANGED, T->OnWindowPosChanged((WINDOWPOS*)C.lParam); return TRUE;)
#define ON_WM_DROPFILES() AFX_MSG_ENTRY(WM_DROPFILES, T->OnDropFiles((HDROP)C.wParam); return TRUE;)
#define ON_WM_CONTEXTMENU() \
    AFX_MSG_ENTRY(WM_CONTEXTMENU, T->OnContextMenu(CWnd::FromHandle((HWND)C.wParam), AFX_POINT_LPARAM); return TRUE;)
#define ON_WM_CAPTURECHANGED() AFX_MSG_ENTRY(WM_CAPTURECHANGED, T->OnCaptureChanged(CWnd::FromHandle((HWND)C.lParam)); return TRUE;)
#define ON_WM_CANCELMODE() AFX_MSG_ENTRY(WM_CANCELMODE, T->OnCancelMode(); return TRUE;)
