// uikit/scroll/SkinScrollBar.h
// CSkinScrollBar: a scroll bar that keeps its own range and position and draws itself from
// one skin bitmap (9 cells of a x a, see ScrollBarGeometry.h). Clicks and drags are sent to
// the parent as WM_VSCROLL / WM_HSCROLL (lParam = this bar), as a system bar would.
#pragma once
#include "mfc/Mfc.h"
#include "uikit/scroll/ScrollBarGeometry.h"

class CSkinScrollBar : public CScrollBar
{
public:
    CSkinScrollBar();

    // The bitmap stays the caller's and must outlive the bar. Sets the bar's thickness to a.
    void SetBitmap(HBITMAP bitmap);
    BOOL IsVertical() const;
    BOOL IsDragging() const { return m_bDrag; }
    // The bar's own scroll state (nTrackPos -1 when no drag is in progress).
    const SCROLLINFO& GetSkinInfo() const { return m_si; }

    int HitTest(CPoint point) const;
    CRect GetPartRect(int part) const;
    CRect GetSourceRect(int part, int state) const;

protected:
    enum { kTimerRepeat = 100, kTimerFirst = 200 };
    enum { kStateNormal = 0, kStateHover = 1, kStatePressed = 2 };

    ScrollBarGeometry Geometry() const;
    void Blit(HDC dc, const std::vector<ScrollBlit>& blits) const;
    void DrawPart(HDC dc, int part, int state) const;
    void TileBlt(HDC dc, const RECT& dst, const RECT& src) const;
    void DrawThumb(HDC dc, const RECT& dst, const RECT& src) const;
    void DrawTrackAndThumb(HDC dc) const;
    // Redraws one part in a state: arrows and the thumb; track parts are left alone.
    void DrawHot(HDC dc, int part, int state) const;
    void SendScroll(UINT code, int pos) const;
    void TrackMouse(UINT flags, CPoint point);
    // Ends a drag or a held part: on release, and when the capture goes elsewhere.
    void EndTracking(CPoint point);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    void OnPaint();
    void OnSize(UINT type, int cx, int cy);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnMouseLeave();
    void OnTimer(UINT_PTR id);
    void OnCaptureChanged(CWnd* wnd);
    void OnCancelMode();

    DECLARE_MESSAGE_MAP()

private:
    HBITMAP m_hBmp;       // borrowed
    int m_nWidth;         // cell size a
    int m_nLength;        // client extent along the bar
    SCROLLINFO m_si;
    BOOL m_bDrag;
    CPoint m_ptDrag;
    int m_nDragPos;
    int m_uClicked;       // pressed part, or kScrollPartNone
    BOOL m_bNotify;       // 0 while the first, slow repeat timer runs; 1 on the fast one
    int m_uHtPrev;        // hover part
    BOOL m_bPause;        // cursor off the pressed part
    BOOL m_bTrace;        // mouse-leave tracking requested
};
