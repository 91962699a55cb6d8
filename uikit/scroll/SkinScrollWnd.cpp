// uikit/scroll/SkinScrollWnd.cpp
#include "uikit/scroll/SkinScrollWnd.h"

namespace {

// The control's own procedure, kept on the control while it is hooked, so that the hook can
// always pass messages on, even after the frame let go of it.
const char kOldProcProp[] = "SkinScrollOldProc";

enum { kFrameTimer = 100, kLimitId = 200, kHorzBarId = 100, kVertBarId = 101 };

WNDPROC OldProcOf(HWND control)
{
    return reinterpret_cast<WNDPROC>(GetPropA(control, kOldProcProp));
}

// Puts the control's own procedure back. When someone else has hooked the control after us,
// our hook stays in their chain and keeps passing every message on (the property stays).
void Unhook(HWND control)
{
    if (!control || !IsWindow(control))
        return;
    WNDPROC old = OldProcOf(control);
    SetWindowLongPtrA(control, GWLP_USERDATA, 0);
    if (old && GetWindowLongPtrA(control, GWLP_WNDPROC) == (LONG_PTR)SkinScrollHookProc) {
        SetWindowLongPtrA(control, GWLP_WNDPROC, (LONG_PTR)old);
        RemovePropA(control, kOldProcProp);
    }
}

bool HasStyle(HWND hwnd, DWORD bit) { return (GetWindowLongA(hwnd, GWL_STYLE) & bit) != 0; }

} // namespace

BEGIN_MESSAGE_MAP(CSkinScrollWnd, CWnd)
    ON_MESSAGE(UM_SKINSCROLL_LAYOUT, &CSkinScrollWnd::OnUpdateLayout)
    ON_MESSAGE(UM_SKINSCROLL_QUERY1, &CSkinScrollWnd::OnQuery)
    ON_MESSAGE(UM_SKINSCROLL_QUERY2, &CSkinScrollWnd::OnQuery)
    ON_MESSAGE(UM_SKINSCROLL_RELEASE, &CSkinScrollWnd::OnRelease)
    ON_WM_VSCROLL()
    ON_WM_HSCROLL()
    ON_WM_TIMER()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSEHOVER()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CSkinScrollWnd::CSkinScrollWnd()
    : m_nScrollWid(16), m_hBmpScroll(nullptr), m_bOp(FALSE), m_funOldProc(nullptr),
      m_hWndCtrl(nullptr), m_bDying(FALSE)
{
}

CSkinScrollWnd::~CSkinScrollWnd()
{
}

CSkinScrollWnd* CSkinScrollWnd::FromControl(HWND control)
{
    if (!control || !OldProcOf(control))
        return nullptr;
    return reinterpret_cast<CSkinScrollWnd*>(GetWindowLongPtrA(control, GWLP_USERDATA));
}

BOOL CSkinScrollWnd::SkinWindow(CWnd* control, HBITMAP skin, iCaller* rectSource)
{
    BITMAP info = {};
    if (!control || !control->m_hWnd || !skin || !GetObject(skin, sizeof(info), &info))
        return FALSE;
    HWND ctrl = control->m_hWnd;
    HWND parent = ::GetParent(ctrl);
    m_hBmpScroll = skin;
    m_nScrollWid = info.bmWidth / 9;
    m_hWndCtrl = ctrl;

    CRect rect;
    ::GetWindowRect(ctrl, &rect);
    if (rectSource)
        rectSource->GetRect(rect);
    else
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    CRect inner(0, 0, rect.Width(), rect.Height());

    const DWORD ctrlStyle = (DWORD)GetWindowLongA(ctrl, GWL_STYLE);
    const DWORD ctrlExStyle = (DWORD)GetWindowLongA(ctrl, GWL_EXSTYLE);
    DWORD style = WS_CHILD | 0x100, exStyle = 0;
    if (ctrlExStyle & WS_EX_TOOLWINDOW)
        exStyle |= WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    if (ctrlStyle & WS_VISIBLE)
        style |= WS_VISIBLE;
    // The control's border moves to the frame, around the bars too.
    if (ctrlStyle & WS_BORDER) {
        style |= WS_BORDER;
        inner.right -= 2 * GetSystemMetrics(SM_CXBORDER);
        inner.bottom -= 2 * GetSystemMetrics(SM_CXBORDER);
    }
    if (ctrlExStyle & WS_EX_CLIENTEDGE) {
        exStyle |= WS_EX_CLIENTEDGE;
        inner.right -= 2 * GetSystemMetrics(SM_CXEDGE);
        inner.bottom -= 2 * GetSystemMetrics(SM_CXEDGE);
    }

    if (!CreateEx(exStyle, AfxRegisterWndClass(0), "SkinScrollBarFrame", style, rect.left,
                  rect.top, rect.Width(), rect.Height(), parent,
                  (HMENU)(UINT_PTR)::GetDlgCtrlID(ctrl)))
        return FALSE;
    const CRect none(0, 0, 0, 0);
    if (!m_wndLimit.Create(nullptr, "LIMIT", WS_CHILD | WS_VISIBLE, none, this, kLimitId) ||
        !m_sbHorz.Create(WS_CHILD | SBS_HORZ, none, this, kHorzBarId) ||
        !m_sbVert.Create(WS_CHILD | SBS_VERT, none, this, kVertBarId))
        return FALSE;
    m_sbHorz.SetBitmap(skin);
    m_sbVert.SetBitmap(skin);

    if (ctrlStyle & WS_BORDER)
        SetWindowLongA(ctrl, GWL_STYLE, GetWindowLongA(ctrl, GWL_STYLE) & ~WS_BORDER);
    if (ctrlExStyle & WS_EX_CLIENTEDGE)
        SetWindowLongA(ctrl, GWL_EXSTYLE, GetWindowLongA(ctrl, GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE);

    ::SetParent(ctrl, m_wndLimit.m_hWnd);
    SetWindowLongPtrA(ctrl, GWLP_USERDATA, (LONG_PTR)this);
    m_funOldProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(ctrl, GWLP_WNDPROC, (LONG_PTR)SkinScrollHookProc));
    SetPropA(ctrl, kOldProcProp, reinterpret_cast<HANDLE>(m_funOldProc));
    ::MoveWindow(ctrl, inner.left, inner.top, inner.Width(), inner.Height(), TRUE);
    // A move without a size change computes no frame: ask for one, so the bars are placed now.
    ::SetWindowPos(ctrl, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Invalidate();
    SetTimer(kFrameTimer, 500);
    return TRUE;
}

void CSkinScrollWnd::Unskin()
{
    HWND ctrl = m_hWndCtrl;
    m_hWndCtrl = nullptr;
    if (ctrl && ::IsWindow(ctrl) && m_hWnd) {
        HWND parent = ::GetParent(m_hWnd);
        CRect rect;
        GetWindowRect(&rect);
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
        Unhook(ctrl);
        ::SetParent(ctrl, parent);
        ::MoveWindow(ctrl, rect.left, rect.top, rect.Width(), rect.Height(), TRUE);
        // Its own scroll bars take their room back.
        ::SetWindowPos(ctrl, nullptr, 0, 0, 0, 0,
                       SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (m_hWnd)
        DestroyWindow(); // PostNcDestroy deletes the frame
    else
        delete this;
}

void CSkinScrollWnd::OnControlDestroy()
{
    Unhook(m_hWndCtrl);
    m_hWndCtrl = nullptr;
    // Destroying the frame from inside the control's destruction would re-enter it; when the
    // frame is not already on its way out, it goes once this message is over.
    if (!m_bDying && m_hWnd)
        PostMessage(UM_SKINSCROLL_RELEASE);
}

LRESULT CSkinScrollWnd::OnRelease(WPARAM, LPARAM)
{
    if (!m_bDying && !m_hWndCtrl)
        DestroyWindow();
    return 0;
}

void CSkinScrollWnd::MirrorBar(CSkinScrollBar& bar, int which, BOOL redraw)
{
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    if (!::GetScrollInfo(m_hWndCtrl, which, &si))
        return;
    if (!ScrollStateDiffers(si, bar.GetSkinInfo()))
        return;
    bar.SendMessage(SBM_SETSCROLLINFO, redraw, (LPARAM)&si);
    bar.EnableWindow(si.nMax >= (int)si.nPage);
}

void CSkinScrollWnd::PlaceBars(const RECT& client)
{
    const int b = m_nScrollWid;
    const BOOL left = (GetWindowLongA(m_hWndCtrl, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
    const BOOL vertical = HasStyle(m_hWndCtrl, WS_VSCROLL);
    const BOOL horizontal = HasStyle(m_hWndCtrl, WS_HSCROLL);
    const CRect v = left ? CRect(client.left - b, 0, client.left, client.bottom)
                         : CRect(client.right, 0, client.right + b, client.bottom);
    const CRect h = left ? CRect(client.left, client.bottom, client.right, client.bottom + b)
                         : CRect(0, client.bottom, client.right, client.bottom + b);
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    m_sbVert.SetWindowPos(nullptr, v.left, v.top, v.Width(), v.Height(),
                          flags | (vertical ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    m_sbHorz.SetWindowPos(nullptr, h.left, h.top, h.Width(), h.Height(),
                          flags | (horizontal ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    PostMessage(UM_SKINSCROLL_LAYOUT, vertical, left);
}

void CSkinScrollWnd::OnControlMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        if (HasStyle(m_hWndCtrl, WS_VSCROLL))
            MirrorBar(m_sbVert, SB_VERT, TRUE);
        if (HasStyle(m_hWndCtrl, WS_HSCROLL))
            MirrorBar(m_sbHorz, SB_HORZ, TRUE);
        break;
    case WM_MOVE:
        // The layout keeps the vertical bar's room whenever the control has one.
        PostMessage(UM_SKINSCROLL_LAYOUT, HasStyle(m_hWndCtrl, WS_VSCROLL),
                    (GetWindowLongA(m_hWndCtrl, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0);
        break;
    case WM_NCCALCSIZE:
        if (wParam) {
            RECT& rc = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0];
            const int s = GetSystemMetrics(SM_CXVSCROLL), b = m_nScrollWid;
            const BOOL left =
                (GetWindowLongA(m_hWndCtrl, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
            if (HasStyle(m_hWndCtrl, WS_VSCROLL)) {
                if (left)
                    rc.left += b - s;
                else
                    rc.right += s - b;
            }
            if (HasStyle(m_hWndCtrl, WS_HSCROLL))
                rc.bottom += s - b;
            PlaceBars(rc);
        }
        break;
    case WM_SHOWWINDOW: {
        // The frame follows the control; of the bars, only those the control has.
        const int show = wParam ? SW_SHOW : SW_HIDE;
        ShowWindow(show);
        m_sbVert.ShowWindow(wParam && HasStyle(m_hWndCtrl, WS_VSCROLL) ? SW_SHOW : SW_HIDE);
        m_sbHorz.ShowWindow(wParam && HasStyle(m_hWndCtrl, WS_HSCROLL) ? SW_SHOW : SW_HIDE);
        break;
    }
    default:
        break;
    }
}

LRESULT CALLBACK SkinScrollHookProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC old = OldProcOf(hwnd);
    if (!old)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    CSkinScrollWnd* frame = reinterpret_cast<CSkinScrollWnd*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (message == WM_DESTROY) {
        // Only let go of the control here; the frame frees itself in its own WM_NCDESTROY.
        if (frame && frame->m_hWndCtrl == hwnd)
            frame->OnControlDestroy();
        else
            Unhook(hwnd);
        return CallWindowProcA(old, hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY)
        RemovePropA(hwnd, kOldProcProp);
    const LRESULT result = CallWindowProcA(old, hwnd, message, wParam, lParam);
    // The control's own handling may have unskinned it or destroyed the frame: look again.
    if (!frame || !IsWindow(hwnd) ||
        reinterpret_cast<CSkinScrollWnd*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)) != frame ||
        frame->m_hWndCtrl != hwnd || frame->m_bOp)
        return result;
    frame->OnControlMessage(message, wParam, lParam);
    return result;
}

LRESULT CSkinScrollWnd::OnUpdateLayout(WPARAM vertical, LPARAM left)
{
    if (!m_hWndCtrl)
        return 0;
    m_bOp = TRUE;
    const int b = m_nScrollWid;
    CRect r;
    GetClientRect(&r);
    CRect c = r;
    if (m_sbHorz.GetStyle() & WS_VISIBLE)
        r.bottom -= b;
    if (vertical) {
        if (!left) {
            r.right -= b;
        } else {
            r.left += b;
            c.OffsetRect(-b, 0);
        }
    }
    m_wndLimit.MoveWindow(&r, TRUE);
    ::SetWindowPos(m_hWndCtrl, nullptr, c.left, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_bOp = FALSE;
    return 0;
}

void CSkinScrollWnd::ForwardScroll(UINT message, UINT code, UINT pos, CScrollBar* bar)
{
    if (!m_hWndCtrl)
        return;
    CSkinScrollBar& skinBar = message == WM_VSCROLL ? m_sbVert : m_sbHorz;
    m_bOp = TRUE;
    ::SendMessageA(m_hWndCtrl, message, MAKEWPARAM(code, pos), 0);
    if (code != SB_THUMBTRACK && m_hWndCtrl) {
        SCROLLINFO si = {};
        si.cbSize = sizeof(si);
        si.fMask = SIF_ALL;
        if (::GetScrollInfo(m_hWndCtrl, message == WM_VSCROLL ? SB_VERT : SB_HORZ, &si))
            skinBar.SendMessage(SBM_SETSCROLLINFO, TRUE, (LPARAM)&si);
    }
    m_bOp = FALSE;
}

void CSkinScrollWnd::OnVScroll(UINT code, UINT pos, CScrollBar* bar)
{
    ForwardScroll(WM_VSCROLL, code, pos, bar);
}

void CSkinScrollWnd::OnHScroll(UINT code, UINT pos, CScrollBar* bar)
{
    ForwardScroll(WM_HSCROLL, code, pos, bar);
}

void CSkinScrollWnd::OnTimer(UINT_PTR id)
{
    if (!m_hWndCtrl)
        return;
    if ((m_sbVert.GetStyle() & WS_VISIBLE) && !m_sbVert.IsDragging())
        MirrorBar(m_sbVert, SB_VERT, TRUE);
    if ((m_sbHorz.GetStyle() & WS_VISIBLE) && !m_sbHorz.IsDragging())
        MirrorBar(m_sbHorz, SB_HORZ, TRUE);
}

void CSkinScrollWnd::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    if (cx && cy && m_wndLimit.m_hWnd) {
        if (HWND control = ::GetWindow(m_wndLimit.m_hWnd, GW_CHILD))
            ::MoveWindow(control, 0, 0, cx, cy, TRUE);
    }
}

void CSkinScrollWnd::OnPaint()
{
    CPaintDC paint(this);
    // Only the corner between two bars is the frame's own; the skin's track fills it.
    const BOOL vertical = (m_sbVert.GetStyle() & WS_VISIBLE) != 0;
    const BOOL horizontal = (m_sbHorz.GetStyle() & WS_VISIBLE) != 0;
    if (!vertical || !horizontal || !m_hBmpScroll)
        return;
    CRect v, h;
    m_sbVert.GetWindowRect(&v);
    m_sbHorz.GetWindowRect(&h);
    ScreenToClient(&v);
    ScreenToClient(&h);
    const CRect corner(v.left, h.top, v.right, h.bottom);
    const RECT cell = ScrollSourceCell(m_nScrollWid, true, kScrollPartPageDown, 0);
    HDC memory = CreateCompatibleDC(paint.m_hDC);
    HGDIOBJ old = SelectObject(memory, m_hBmpScroll);
    StretchBlt(paint.m_hDC, corner.left, corner.top, corner.Width(), corner.Height(), memory,
               cell.left, cell.top, cell.right - cell.left, cell.bottom - cell.top, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

void CSkinScrollWnd::OnMouseMove(UINT flags, CPoint point)
{
    CWnd::OnMouseMove(flags, point);
}

void CSkinScrollWnd::OnMouseHover(UINT flags, CPoint point)
{
    CWnd::OnMouseHover(flags, point);
    Invalidate(TRUE);
}

void CSkinScrollWnd::OnDestroy()
{
    m_bDying = TRUE;
    KillTimer(kFrameTimer);
    // A control still inside the frame unhooks itself in its own WM_DESTROY, which comes next;
    // one that was moved out some other way is unhooked now.
    if (m_hWndCtrl && !::IsChild(m_hWnd, m_hWndCtrl)) {
        Unhook(m_hWndCtrl);
        m_hWndCtrl = nullptr;
    }
    CWnd::OnDestroy();
}

void CSkinScrollWnd::PostNcDestroy()
{
    delete this;
}
