// uikit/controls/ScrollWnd.h
// CScrollWnd: a child window that scrolls itself in both directions (one unit a line, its own
// page steps, the wheel); CVscrollwnd: relays vertical scroll messages to another window.
#pragma once
#include "mfc/Mfc.h"

// The position a scroll request leads to, within info.nMin..info.nMax. SB_TOP, SB_BOTTOM and
// SB_THUMBPOSITION keep the position (the default handler moves there itself).
int NextScrollPosition(UINT code, const SCROLLINFO& info, int pageStep);
// The vertical position after a wheel turn of delta (WHEEL_DELTA units, up positive); the
// position itself when the range fits in one page.
int WheelScrollPosition(const SCROLLINFO& info, int delta);

class CScrollWnd : public CWnd
{
public:
    BOOL Create(CWnd* parent, const RECT& rect);
    void SetVScrollRange(int maximum);
    void SetHScrollRange(int maximum);
    void SetVScrollPage(int page);
    void SetHScrollPage(int page);
    void ShowVScroll(BOOL show);
    int VPageStep() const { return m_vPage; }
    int HPageStep() const { return m_hPage; }

protected:
    // Called with the new position after each change.
    virtual void OnVPositionChanged(int) {}
    virtual void OnHPositionChanged(int) {}
    void OnVScroll(UINT code, UINT position, CScrollBar* bar);
    void OnHScroll(UINT code, UINT position, CScrollBar* bar);
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
    BOOL OnEraseBkgnd(CDC* dc);
    DECLARE_MESSAGE_MAP()

private:
    void Scroll(int bar, UINT code);
    int m_hPage = 10;
    int m_vPage = 10;
};

class CVscrollwnd : public CWnd
{
public:
    void SetTarget(HWND target) { m_target = target; }
    int LastPosition() const { return m_lastPosition; }

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    HWND m_target = nullptr;
    int m_lastPosition = 0;
};
