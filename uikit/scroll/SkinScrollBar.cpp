// uikit/scroll/SkinScrollBar.cpp
#include "uikit/scroll/SkinScrollBar.h"

namespace {

bool Empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

} // namespace

BEGIN_MESSAGE_MAP(CSkinScrollBar, CScrollBar)
    ON_WM_PAINT()
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_TIMER()
    ON_WM_CAPTURECHANGED()
    ON_WM_CANCELMODE()
END_MESSAGE_MAP()

CSkinScrollBar::CSkinScrollBar()
    : m_hBmp(nullptr), m_nWidth(0), m_nLength(0), m_si(), m_bDrag(FALSE), m_ptDrag(0, 0),
      m_nDragPos(0), m_uClicked(kScrollPartNone), m_bNotify(FALSE), m_uHtPrev(kScrollPartNone),
      m_bPause(FALSE), m_bTrace(FALSE)
{
    m_si.cbSize = sizeof(m_si);
    m_si.nTrackPos = -1;
}

void CSkinScrollBar::SetBitmap(HBITMAP bitmap)
{
    m_hBmp = bitmap;
    BITMAP info = {};
    m_nWidth = bitmap && GetObject(bitmap, sizeof(info), &info) ? info.bmWidth / 9 : 0;
    if (!m_hWnd)
        return;
    CRect rect;
    GetWindowRect(&rect);
    if (CWnd* parent = GetParent())
        parent->ScreenToClient(&rect);
    if (IsVertical())
        rect.right = rect.left + m_nWidth;
    else
        rect.bottom = rect.top + m_nWidth;
    MoveWindow(&rect, TRUE);
}

BOOL CSkinScrollBar::IsVertical() const
{
    return m_hWnd && (GetStyle() & SBS_VERT) != 0;
}

ScrollBarGeometry CSkinScrollBar::Geometry() const
{
    return ScrollBarGeometry(IsVertical() != FALSE, m_nWidth, m_nLength, m_si);
}

int CSkinScrollBar::HitTest(CPoint point) const
{
    return Geometry().HitTest(point.x, point.y);
}

CRect CSkinScrollBar::GetPartRect(int part) const
{
    return CRect(Geometry().PartRect(part));
}

CRect CSkinScrollBar::GetSourceRect(int part, int state) const
{
    return CRect(ScrollSourceCell(m_nWidth, IsVertical() != FALSE, part, state));
}

void CSkinScrollBar::Blit(HDC dc, const std::vector<ScrollBlit>& blits) const
{
    if (!m_hBmp || blits.empty())
        return;
    // The skin is selected only for the copy: both bars and every frame share one bitmap.
    HDC memory = CreateCompatibleDC(dc);
    if (!memory)
        return;
    HGDIOBJ old = SelectObject(memory, m_hBmp);
    for (const ScrollBlit& b : blits) {
        const int dw = b.dst.right - b.dst.left, dh = b.dst.bottom - b.dst.top;
        const int sw = b.src.right - b.src.left, sh = b.src.bottom - b.src.top;
        if (dw == sw && dh == sh)
            BitBlt(dc, b.dst.left, b.dst.top, dw, dh, memory, b.src.left, b.src.top, SRCCOPY);
        else
            StretchBlt(dc, b.dst.left, b.dst.top, dw, dh, memory, b.src.left, b.src.top, sw, sh,
                       SRCCOPY);
    }
    SelectObject(memory, old);
    DeleteDC(memory);
}

void CSkinScrollBar::DrawPart(HDC dc, int part, int state) const
{
    const CRect dst = GetPartRect(part);
    if (Empty(dst))
        return;
    Blit(dc, {ScrollBlit{dst, GetSourceRect(part, state)}});
}

void CSkinScrollBar::TileBlt(HDC dc, const RECT& dst, const RECT& src) const
{
    Blit(dc, TileBlits(dst, src));
}

void CSkinScrollBar::DrawThumb(HDC dc, const RECT& dst, const RECT& src) const
{
    Blit(dc, ThumbBlits(dst, src, IsVertical() != FALSE));
}

void CSkinScrollBar::DrawTrackAndThumb(HDC dc) const
{
    TileBlt(dc, GetPartRect(kScrollPartPageUp), GetSourceRect(kScrollPartPageUp, kStateNormal));
    TileBlt(dc, GetPartRect(kScrollPartPageDown), GetSourceRect(kScrollPartPageDown, kStateNormal));
    DrawThumb(dc, GetPartRect(kScrollPartThumb), GetSourceRect(kScrollPartThumb, kStateNormal));
}

void CSkinScrollBar::DrawHot(HDC dc, int part, int state) const
{
    if (part == kScrollPartThumb)
        DrawThumb(dc, GetPartRect(part), GetSourceRect(part, state));
    else if (part == kScrollPartLineUp || part == kScrollPartLineDown)
        DrawPart(dc, part, state);
}

void CSkinScrollBar::SendScroll(UINT code, int pos) const
{
    if (CWnd* parent = GetParent())
        parent->SendMessage(IsVertical() ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, pos),
                            (LPARAM)m_hWnd);
}

void CSkinScrollBar::OnPaint()
{
    CPaintDC paint(this);
    if (!m_hBmp)
        return;
    HDC dc = paint.m_hDC;
    DrawPart(dc, kScrollPartLineUp, kStateNormal);
    DrawPart(dc, kScrollPartLineDown, kStateNormal);
    DrawTrackAndThumb(dc);
}

void CSkinScrollBar::OnSize(UINT type, int cx, int cy)
{
    CScrollBar::OnSize(type, cx, cy);
    m_nLength = IsVertical() ? cy : cx;
}

void CSkinScrollBar::OnLButtonDown(UINT flags, CPoint point)
{
    const int part = HitTest(point);
    if (part == kScrollPartNone)
        return;
    SetCapture();
    if (part != kScrollPartThumb) {
        m_uClicked = part;
        SendScroll(part, 0);
        SetTimer(kTimerFirst, 500);
        m_bNotify = FALSE;
        m_bPause = FALSE;
        if (part == kScrollPartLineUp || part == kScrollPartLineDown) {
            CClientDC dc(this);
            DrawPart(dc.m_hDC, part, kStatePressed);
        }
    } else {
        m_bDrag = TRUE;
        m_ptDrag = point;
        m_si.nTrackPos = m_si.nPos;
        m_nDragPos = m_si.nPos;
        CClientDC dc(this);
        DrawHot(dc.m_hDC, kScrollPartThumb, kStatePressed);
    }
}

void CSkinScrollBar::OnMouseMove(UINT flags, CPoint point)
{
    if (!m_bTrace && flags != (UINT)-1) {
        TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_hWnd, 1};
        m_bTrace = TrackMouseEvent(&tme);
    }
    TrackMouse(flags, point);
}

void CSkinScrollBar::TrackMouse(UINT flags, CPoint point)
{
    CClientDC dc(this);
    const bool vertical = IsVertical() != FALSE;
    if (m_bDrag) {
        const int delta = vertical ? point.y - m_ptDrag.y : point.x - m_ptDrag.x;
        const int pos = Geometry().DragPosition(m_nDragPos, delta);
        if (pos == m_si.nTrackPos)
            return;
        const CRect oldThumb = GetPartRect(kScrollPartThumb);
        m_si.nTrackPos = pos;
        const CRect newThumb = GetPartRect(kScrollPartThumb);
        TileBlt(dc.m_hDC, UncoveredStrip(oldThumb, newThumb, vertical),
                GetSourceRect(kScrollPartPageUp, kStateNormal));
        DrawThumb(dc.m_hDC, newThumb, GetSourceRect(kScrollPartThumb, kStatePressed));
        SendScroll(SB_THUMBTRACK, m_si.nTrackPos);
    } else if (m_uClicked == kScrollPartNone) {
        const int part = HitTest(point);
        if (part == m_uHtPrev)
            return;
        DrawHot(dc.m_hDC, m_uHtPrev, kStateNormal);
        DrawHot(dc.m_hDC, part, kStateHover);
        m_uHtPrev = part;
    } else {
        const BOOL outside = !GetPartRect(m_uClicked).PtInRect(point);
        if (outside != m_bPause &&
            (m_uClicked == kScrollPartLineUp || m_uClicked == kScrollPartLineDown))
            DrawPart(dc.m_hDC, m_uClicked, outside ? kStateNormal : kStatePressed);
        m_bPause = outside;
    }
}

void CSkinScrollBar::OnLButtonUp(UINT flags, CPoint point)
{
    EndTracking(point);
    if (GetCapture() == this)
        ReleaseCapture();
}

void CSkinScrollBar::EndTracking(CPoint point)
{
    CClientDC dc(this);
    if (m_bDrag) {
        m_bDrag = FALSE;
        SendScroll(SB_THUMBPOSITION, m_si.nTrackPos);
        if (m_si.nTrackPos != m_si.nPos)
            TileBlt(dc.m_hDC, GetPartRect(kScrollPartThumb),
                    GetSourceRect(kScrollPartPageUp, kStateNormal));
        m_si.nTrackPos = -1;
        const CRect thumb = GetPartRect(kScrollPartThumb);
        DrawThumb(dc.m_hDC, thumb,
                  GetSourceRect(kScrollPartThumb,
                                thumb.PtInRect(point) ? kStateHover : kStateNormal));
    } else if (m_uClicked != kScrollPartNone) {
        KillTimer(kTimerRepeat);
        KillTimer(kTimerFirst);
        m_bNotify = FALSE;
        DrawHot(dc.m_hDC, m_uClicked, kStateNormal);
        m_uClicked = kScrollPartNone;
    }
}

void CSkinScrollBar::OnTimer(UINT_PTR id)
{
    if (id == kTimerFirst) {
        m_bNotify = TRUE;
        KillTimer(kTimerFirst);
        SetTimer(kTimerRepeat, 100);
    } else if (id != kTimerRepeat) {
        CScrollBar::OnTimer(id);
        return;
    }
    if (m_bPause || m_uClicked == kScrollPartNone)
        return;
    const ScrollBarGeometry geometry = Geometry();
    if (m_uClicked == kScrollPartLineUp || m_uClicked == kScrollPartLineDown) {
        // Arrows stop at nMin and at the last full page (nMax - nPage + 1), not at nMax.
        if (geometry.CanStep(m_uClicked, m_si.nPos))
            SendScroll(m_uClicked, 0);
        else
            KillTimer(kTimerRepeat);
        return;
    }
    // Track parts page on while the cursor is still over the part it pressed.
    CPoint cursor;
    GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    if (geometry.HitTest(cursor.x, cursor.y) == m_uClicked)
        SendScroll(m_uClicked, 0);
    else
        KillTimer(kTimerRepeat);
}

void CSkinScrollBar::OnMouseLeave()
{
    m_bTrace = FALSE;
    // Mid-drag or mid-press the capture still brings every move; only the hover resets.
    if (m_bDrag || m_uClicked != kScrollPartNone)
        return;
    TrackMouse((UINT)-1, CPoint(-1, -1));
}

void CSkinScrollBar::OnCaptureChanged(CWnd* wnd)
{
    // The capture went elsewhere (another window took it, a menu or dialog opened): the drag
    // ends where it is and the repeat timers stop, as on a release.
    if ((!wnd || wnd->m_hWnd != m_hWnd) && (m_bDrag || m_uClicked != kScrollPartNone)) {
        CPoint cursor;
        GetCursorPos(&cursor);
        ScreenToClient(&cursor);
        EndTracking(cursor);
    }
    CScrollBar::OnCaptureChanged(wnd);
}

void CSkinScrollBar::OnCancelMode()
{
    CScrollBar::OnCancelMode();
    if (m_bDrag || m_uClicked != kScrollPartNone) {
        CPoint cursor;
        GetCursorPos(&cursor);
        ScreenToClient(&cursor);
        EndTracking(cursor);
    }
    if (GetCapture() == this)
        ReleaseCapture();
}

LRESULT CSkinScrollBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDBLCLK:
        return 1; // a double click is two single clicks, nothing more
    case WM_ENABLE:
        // The system bar would draw itself straight onto the window here.
        Invalidate(FALSE);
        return 0;
    case SBM_SETSCROLLINFO: {
        const SCROLLINFO* in = reinterpret_cast<const SCROLLINFO*>(lParam);
        if (!in)
            return 0;
        if (in->fMask & SIF_PAGE)
            m_si.nPage = in->nPage;
        if (in->fMask & SIF_POS)
            m_si.nPos = in->nPos;
        if (in->fMask & SIF_RANGE) {
            m_si.nMin = in->nMin;
            m_si.nMax = in->nMax;
        }
        if (wParam && m_hBmp) {
            CClientDC dc(this);
            DrawTrackAndThumb(dc.m_hDC);
        }
        return 1;
    }
    case SBM_GETSCROLLINFO: {
        SCROLLINFO* out = reinterpret_cast<SCROLLINFO*>(lParam);
        if (!out)
            return 0;
        if (out->fMask & SIF_PAGE)
            out->nPage = m_si.nPage;
        if (out->fMask & SIF_POS)
            out->nPos = m_si.nPos;
        if (out->fMask & SIF_TRACKPOS)
            out->nTrackPos = m_si.nTrackPos;
        if (out->fMask & SIF_RANGE) {
            out->nMin = m_si.nMin;
            out->nMax = m_si.nMax;
        }
        return 1;
    }
    default:
        return CScrollBar::WindowProc(message, wParam, lParam);
    }
}
