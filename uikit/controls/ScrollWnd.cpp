// uikit/controls/ScrollWnd.cpp
#include "uikit/controls/ScrollWnd.h"

int NextScrollPosition(UINT code, const SCROLLINFO& info, int pageStep)
{
    int p = info.nPos;
    switch (code) {
    case SB_LINEUP:
        if (p > info.nMin)
            --p;
        break;
    case SB_LINEDOWN:
        if (p < info.nMax)
            ++p;
        break;
    case SB_PAGEUP:
        p = (p - pageStep > info.nMin) ? p - pageStep : info.nMin;
        break;
    case SB_PAGEDOWN:
        p = (p + pageStep < info.nMax) ? p + pageStep : info.nMax;
        break;
    case SB_THUMBTRACK:
        p = info.nTrackPos;
        break;
    default:
        break;
    }
    if (p < info.nMin)
        p = info.nMin;
    if (p > info.nMax)
        p = info.nMax;
    return p;
}

int WheelScrollPosition(const SCROLLINFO& info, int delta)
{
    if (!(info.nMax > static_cast<int>(info.nPage)))
        return info.nPos;
    int p = info.nPos - delta;
    if (p < info.nMin)
        p = info.nMin;
    if (p > info.nMax)
        p = info.nMax;
    int last = info.nMax - static_cast<int>(info.nPage);
    if (p > last)
        p = last;
    return p;
}

BEGIN_MESSAGE_MAP(CScrollWnd, CWnd)
    ON_WM_VSCROLL()
    ON_WM_HSCROLL()
    ON_WM_MOUSEWHEEL()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BOOL CScrollWnd::Create(CWnd* parent, const RECT& rect)
{
    return CWnd::Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, rect,
                        parent, 0);
}

static void SetRange(HWND window, int bar, int maximum)
{
    SCROLLINFO info = {sizeof info, SIF_RANGE | SIF_DISABLENOSCROLL, 0, maximum, 0, 0, 0};
    SetScrollInfo(window, bar, &info, TRUE);
}

static void SetPage(HWND window, int bar, int page)
{
    SCROLLINFO info = {sizeof info, SIF_PAGE | SIF_DISABLENOSCROLL, 0, 0,
                       static_cast<UINT>(page < 0 ? 0 : page), 0, 0};
    SetScrollInfo(window, bar, &info, TRUE);
}

void CScrollWnd::SetVScrollRange(int maximum) { SetRange(m_hWnd, SB_VERT, maximum); }
void CScrollWnd::SetHScrollRange(int maximum) { SetRange(m_hWnd, SB_HORZ, maximum); }
void CScrollWnd::SetVScrollPage(int page) { m_vPage = page; SetPage(m_hWnd, SB_VERT, page); }
void CScrollWnd::SetHScrollPage(int page) { m_hPage = page; SetPage(m_hWnd, SB_HORZ, page); }
void CScrollWnd::ShowVScroll(BOOL show) { ::ShowScrollBar(m_hWnd, SB_VERT, show); }

void CScrollWnd::Scroll(int bar, UINT code)
{
    SCROLLINFO info = {sizeof info, SIF_ALL};
    if (!::GetScrollInfo(m_hWnd, bar, &info))
        return;
    int p = NextScrollPosition(code, info, bar == SB_VERT ? m_vPage : m_hPage);
    ::SetScrollPos(m_hWnd, bar, p, TRUE);
    if (bar == SB_VERT)
        OnVPositionChanged(p);
    else
        OnHPositionChanged(p);
}

void CScrollWnd::OnVScroll(UINT code, UINT, CScrollBar*)
{
    Scroll(SB_VERT, code);
    Default();
}

void CScrollWnd::OnHScroll(UINT code, UINT, CScrollBar*)
{
    Scroll(SB_HORZ, code);
    Default();
}

BOOL CScrollWnd::OnMouseWheel(UINT, short delta, CPoint)
{
    SCROLLINFO info = {sizeof info, SIF_ALL};
    if (::GetScrollInfo(m_hWnd, SB_VERT, &info) && info.nMax > static_cast<int>(info.nPage)) {
        int p = WheelScrollPosition(info, delta);
        ::SetScrollPos(m_hWnd, SB_VERT, p, TRUE);
        OnVPositionChanged(p);
    }
    Default();
    return TRUE;
}

BOOL CScrollWnd::OnEraseBkgnd(CDC*) { return FALSE; }

BOOL CVscrollwnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_VSCROLL) {
        if (m_target && ::IsWindow(m_target)) {
            ::PostMessageA(m_target, message, wParam, lParam);
        } else if (HWND parent = ::GetParent(m_hWnd)) {
            m_lastPosition = HIWORD(wParam);
            ::PostMessageA(parent, message, wParam, lParam);
        }
    }
    return CWnd::OnWndMsg(message, wParam, lParam, result);
}
