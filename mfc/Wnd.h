// mfc/Wnd.h
// CWnd: a window object with a message map. One window procedure (AfxWndProc) serves every
// window of the layer: it finds the object through a process-wide HWND map (never
// GWL_USERDATA, which the program's own windows use), runs WindowProc -> OnWndMsg (the map)
// -> DefWindowProc, and DefWindowProc calls whatever procedure the layer replaced.
//
// Windows are attached at creation, before their first message (WM_NCCREATE, WM_NCCALCSIZE,
// WM_INITDIALOG); PreSubclassWindow runs once the window's own WM_CREATE is done, so a
// control can already take messages there, or at once for SubclassWindow.
#pragma once
#include "mfc/CmdTarget.h"
#include "mfc/DC.h"
#include "mfc/Geometry.h"
#include "mfc/MessageMap.h"
#include "mfc/String.h"

class CScrollBar;
class CFont;
struct CCreateContext;

// Message numbers of the layer, above WM_USER ranges that controls use.
#define WM_REFLECT_BASE 0xBC00

class CWnd : public CCmdTarget
{
    DECLARE_DYNAMIC(CWnd)
public:
    HWND m_hWnd = nullptr;

    // Insert-after values for SetWindowPos.
    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;

    CWnd() {}
    // A window that still exists is destroyed first.
    virtual ~CWnd();

    // Both need an object: a caller with a pointer that may be null tests it first.
    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }

    // The object attached to hWnd, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);
    // The attached object or a temporary one, which lives as long as its window (deleted by
    // the outermost message loop once the window is gone).
    static CWnd* FromHandle(HWND hWnd);

    // Creation. A window class of null means the layer's default class "AfxWnd".
    virtual BOOL Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect,
                        CWnd* parent, UINT id, CCreateContext* context = nullptr);
    BOOL CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id, LPVOID param = nullptr);
    // hMenu is the child id for WS_CHILD windows and a menu for others.
    virtual BOOL CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                          int width, int height, HWND parent, HMENU menuOrId, LPVOID param = nullptr);
    virtual BOOL DestroyWindow();

    // Attach maps a window to this object without taking its messages; SubclassWindow also
    // routes its messages through this object (and calls PreSubclassWindow first).
    BOOL Attach(HWND hWnd);
    HWND Detach();
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    // Gives the window its old procedure back. When someone has replaced our procedure since,
    // ours stays in their chain and passes every message straight to the old procedure.
    HWND UnsubclassWindow();

    // The message path.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // WM_COMMAND: the map (ON_COMMAND, ON_CONTROL...), then reflection to the control when
    // lParam is a live child window of this one. Any other lParam is a plain value.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // WM_NOTIFY: the map (ON_NOTIFY), then reflection to the sender (ON_NOTIFY_REFLECT).
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    // A message reflected from the parent; TRUE when this control took it.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Called for each queued message from the target window up to its top-level window
    // before it is dispatched; TRUE swallows the message.
    virtual BOOL PreTranslateMessage(MSG* msg);
    static BOOL WalkPreTranslateTree(HWND stop, MSG* msg);
    virtual BOOL PreCreateWindow(CREATESTRUCTA& cs);
    virtual void PreSubclassWindow();
    // After WM_NCDESTROY, once the object has let go of the window; may delete the object.
    virtual void PostNcDestroy();
    // The current message through DefWindowProc.
    LRESULT Default();
    static const MSG* GetCurrentMessage();

    // Thin wrappers.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const { return ::SendMessageA(m_hWnd, message, wParam, lParam); }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const { return ::PostMessageA(m_hWnd, message, wParam, lParam); }
    LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const { return ::SendDlgItemMessageA(m_hWnd, id, message, wParam, lParam); }
    BOOL ShowWindow(int cmd) { return ::ShowWindow(m_hWnd, cmd); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL IsZoomed() const { return ::IsZoomed(m_hWnd); }
    BOOL IsWindow() const { return m_hWnd && ::IsWindow(m_hWnd); }
    BOOL IsChild(const CWnd* wnd) const { return wnd && ::IsChild(m_hWnd, wnd->m_hWnd); }
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE) { ::MoveWindow(m_hWnd, x, y, width, height, repaint); }
    void MoveWindow(LPCRECT rect, BOOL repaint = TRUE) { MoveWindow(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint); }
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) { return ::SetWindowPos(m_hWnd, insertAfter ? insertAfter->m_hWnd : nullptr, x, y, cx, cy, flags); }
    void GetClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }
    void GetWindowRect(LPRECT rect) const { ::GetWindowRect(m_hWnd, rect); }
    void ClientToScreen(LPPOINT point) const { ::ClientToScreen(m_hWnd, point); }
    void ClientToScreen(LPRECT rect) const { ::MapWindowPoints(m_hWnd, nullptr, (LPPOINT)rect, 2); }
    void ScreenToClient(LPPOINT point) const { ::ScreenToClient(m_hWnd, point); }
    void ScreenToClient(LPRECT rect) const { ::MapWindowPoints(nullptr, m_hWnd, (LPPOINT)rect, 2); }
    void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void InvalidateRect(LPCRECT rect, BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, rect, erase); }
    void ValidateRect(LPCRECT rect) { ::ValidateRect(m_hWnd, rect); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    BOOL RedrawWindow(LPCRECT rect = nullptr, HRGN region = nullptr, UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE) { return ::RedrawWindow(m_hWnd, rect, region, flags); }
    void SetRedraw(BOOL redraw = TRUE) { ::SendMessageA(m_hWnd, WM_SETREDRAW, redraw, 0); }
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr) { return ::SetTimer(m_hWnd, id, elapse, proc); }
    BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
    DWORD GetStyle() const { return (DWORD)::GetWindowLongA(m_hWnd, GWL_STYLE); }
    DWORD GetExStyle() const { return (DWORD)::GetWindowLongA(m_hWnd, GWL_EXSTYLE); }
    // Changes the style bits; with flags, SetWindowPos applies the new frame. TRUE when changed.
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    int SetDlgCtrlID(int id) { return (int)::SetWindowLongPtrA(m_hWnd, GWLP_ID, id); }
    CWnd* GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }
    void GetDlgItem(int id, HWND* out) const { *out = ::GetDlgItem(m_hWnd, id); }
    UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const { return ::GetDlgItemInt(m_hWnd, id, translated, isSigned); }
    void SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE) { ::SetDlgItemInt(m_hWnd, id, value, isSigned); }
    int GetDlgItemText(int id, CString& text) const;
    void SetDlgItemText(int id, LPCSTR text) { ::SetDlgItemTextA(m_hWnd, id, text); }
    void CheckDlgButton(int id, UINT check) { ::CheckDlgButton(m_hWnd, id, check); }
    UINT IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }
    CWnd* GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
    CWnd* SetParent(CWnd* parent) { return FromHandle(::SetParent(m_hWnd, parent ? parent->m_hWnd : nullptr)); }
    CWnd* GetOwner() const { return FromHandle(::GetWindow(m_hWnd, GW_OWNER)); }
    CWnd* GetTopLevelParent() const { return FromHandle(::GetAncestor(m_hWnd, GA_ROOT)); }
    CWnd* GetWindow(UINT cmd) const { return FromHandle(::GetWindow(m_hWnd, cmd)); }
    CWnd* SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
    static CWnd* GetFocus() { return FromHandle(::GetFocus()); }
    CWnd* SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
    static CWnd* GetCapture() { return FromHandle(::GetCapture()); }
    CWnd* SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
    static CWnd* GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
    BOOL SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
    void BringWindowToTop() { ::BringWindowToTop(m_hWnd); }
    BOOL FlashWindow(BOOL invert) { return ::FlashWindow(m_hWnd, invert); }
    void SetWindowText(LPCSTR text) { ::SetWindowTextA(m_hWnd, text); }
    int GetWindowText(LPSTR text, int maxCount) const { return ::GetWindowTextA(m_hWnd, text, maxCount); }
    void GetWindowText(CString& text) const;
    int GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }
    void SetFont(CFont* font, BOOL redraw = TRUE);
    CFont* GetFont() const;
    HICON SetIcon(HICON icon, BOOL big) { return (HICON)::SendMessageA(m_hWnd, WM_SETICON, big ? ICON_BIG : ICON_SMALL, (LPARAM)icon); }
    HICON GetIcon(BOOL big) const { return (HICON)::SendMessageA(m_hWnd, WM_GETICON, big ? ICON_BIG : ICON_SMALL, 0); }
    void CenterWindow(CWnd* alternateOwner = nullptr);
    // The region belongs to the system afterwards. Given a CRgn, the object lets go of its
    // handle, so that its destructor does not delete what the window now owns.
    int SetWindowRgn(HRGN region, BOOL redraw) { return ::SetWindowRgn(m_hWnd, region, redraw); }
    int SetWindowRgn(CRgn& region, BOOL redraw)
    {
        int set = ::SetWindowRgn(m_hWnd, (HRGN)region.m_hObject, redraw);
        if (set)
            region.Detach();
        return set;
    }
    int GetWindowRgn(HRGN region) const { return ::GetWindowRgn(m_hWnd, region); }
    void DragAcceptFiles(BOOL accept = TRUE);
    // Tooltips of the framework kind are not kept; windows make their own tooltip controls.
    BOOL EnableToolTips(BOOL enable = TRUE) { m_toolTipsEnabled = enable; return TRUE; }
    CDC* GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
    CDC* GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }
    int ReleaseDC(CDC* dc) { return dc ? ::ReleaseDC(m_hWnd, dc->m_hDC) : 0; }
    int MessageBox(LPCSTR text, LPCSTR caption = nullptr, UINT type = MB_OK) { return ::MessageBoxA(m_hWnd, text, caption, type); }
    BOOL GetScrollInfo(int bar, LPSCROLLINFO info, UINT mask = SIF_ALL) const;
    BOOL SetScrollInfo(int bar, LPSCROLLINFO info, BOOL redraw = TRUE) { return ::SetScrollInfo(m_hWnd, bar, info, redraw); }
    int GetScrollPos(int bar) const { return ::GetScrollPos(m_hWnd, bar); }
    int SetScrollPos(int bar, int pos, BOOL redraw = TRUE) { return ::SetScrollPos(m_hWnd, bar, pos, redraw); }
    void GetScrollRange(int bar, LPINT minPos, LPINT maxPos) const { ::GetScrollRange(m_hWnd, bar, minPos, maxPos); }
    void SetScrollRange(int bar, int minPos, int maxPos, BOOL redraw = TRUE) { ::SetScrollRange(m_hWnd, bar, minPos, maxPos, redraw); }
    void ShowScrollBar(UINT bar, BOOL show = TRUE) { ::ShowScrollBar(m_hWnd, bar, show); }

protected:
    // Default handlers: each passes the message on to DefWindowProc (Default()).
    int OnCreate(LPCREATESTRUCT cs);
    void OnDestroy();
    void OnNcDestroy();
    void OnClose();
    void OnPaint();
    void OnNcPaint();
    BOOL OnEraseBkgnd(CDC* dc);
    void OnSize(UINT type, int cx, int cy);
    void OnMove(int x, int y);
    void OnTimer(UINT_PTR id);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnLButtonDblClk(UINT flags, CPoint point);
    void OnRButtonDown(UINT flags, CPoint point);
    void OnRButtonUp(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
    void OnMouseLeave();
    void OnMouseHover(UINT flags, CPoint point);
    void OnNcMouseMove(UINT hitTest, CPoint point);
    void OnNcMouseLeave();
    void OnNcLButtonDown(UINT hitTest, CPoint point);
    void OnNcLButtonUp(UINT hitTest, CPoint point);
    void OnNcLButtonDblClk(UINT hitTest, CPoint point);
    LRESULT OnNcHitTest(CPoint point);
    void OnNcCalcSize(BOOL calcValidRects, NCCALCSIZE_PARAMS* params);
    BOOL OnNcActivate(BOOL active);
    void OnActivate(UINT state, CWnd* other, BOOL minimized);
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    void OnDrawItem(int id, LPDRAWITEMSTRUCT item);
    void OnMeasureItem(int id, LPMEASUREITEMSTRUCT item);
    HCURSOR OnQueryDragIcon();
    void OnSysCommand(UINT id, LPARAM lParam);
    void OnShowWindow(BOOL show, UINT status);
    void OnSetFocus(CWnd* oldWnd);
    void OnKillFocus(CWnd* newWnd);
    void OnKeyDown(UINT ch, UINT repeat, UINT flags);
    void OnKeyUp(UINT ch, UINT repeat, UINT flags);
    void OnChar(UINT ch, UINT repeat, UINT flags);
    UINT OnGetDlgCode();
    void OnGetMinMaxInfo(MINMAXINFO* info);
    void OnWindowPosChanging(WINDOWPOS* pos);
    void OnWindowPosChanged(WINDOWPOS* pos);
    void OnDropFiles(HDROP drop);
    void OnContextMenu(CWnd* wnd, CPoint point);
    void OnCaptureChanged(CWnd* wnd);
    void OnCancelMode();

    // After a creation call failed: drops a handle that was attached and died meanwhile.
    void ForgetFailedCreation();

    WNDPROC m_pfnSuper = nullptr; // the procedure our window procedure replaced
    BOOL m_toolTipsEnabled = FALSE;

    DECLARE_MESSAGE_MAP()

private:
    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend struct AfxWndAccess;
    void AttachAtCreation(HWND hWnd);
    void FinishNcDestroy();
    BOOL ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    BOOL IsLiveChild(HWND hWnd) const;
    // The fixed insert-after handles.
    explicit CWnd(HWND fixed) : m_hWnd(fixed) {}
    bool m_preSubclassPending = false;
};

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Class registration as the framework does it: the program's own module, classes
// registered once, names kept for the life of the process.
BOOL AfxRegisterClass(WNDCLASSA* wndClass);
LPCSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr, HICON icon = nullptr);
// Deletes the temporary window, DC and GDI wrappers (FromHandle) whose handles have died;
// the outermost message loop calls it when idle.
void AfxDeleteTempObjects();
