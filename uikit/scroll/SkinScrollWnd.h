// uikit/scroll/SkinScrollWnd.h
// CSkinScrollWnd: the frame that wraps a list or tree control in skinned scroll bars. The
// control moves into a clipping child "LIMIT" that hides its system bars; two CSkinScrollBar
// bars sit where those were. The control's window procedure is hooked so that its scroll
// state is mirrored into the skin bars, and the bars' requests are forwarded back to it.
// The frame deletes itself when its window is destroyed (WM_NCDESTROY).
#pragma once
#include "mfc/Mfc.h"
#include "uikit/scroll/SkinScrollBar.h"
#include "uikit/scroll/iCaller.h"

// Messages of the frame.
#define UM_SKINSCROLL_LAYOUT (WM_USER + 100)  // wParam: vertical bar shown; lParam: left bar
#define UM_SKINSCROLL_QUERY1 (WM_USER + 101)  // answered with 1
#define UM_SKINSCROLL_QUERY2 (WM_USER + 102)  // answered with 1
#define UM_SKINSCROLL_RELEASE (WM_USER + 103) // the control died: the frame goes too

class CSkinScrollWnd : public CWnd
{
public:
    CSkinScrollWnd();
    ~CSkinScrollWnd() override;

    // Wraps the control; the rectangle source may be null. 1 on success, 0 when a window
    // could not be made (the control is then left as it was).
    BOOL SkinWindow(CWnd* control, HBITMAP skin, iCaller* rectSource);
    // Gives the control back to the frame's parent at the frame's place and destroys the
    // frame, which deletes itself.
    void Unskin();

    HWND GetControl() const { return m_hWndCtrl; }
    CSkinScrollBar& VerticalBar() { return m_sbVert; }
    CSkinScrollBar& HorizontalBar() { return m_sbHorz; }
    // The frame of a skinned control, or null.
    static CSkinScrollWnd* FromControl(HWND control);

protected:
    friend LRESULT CALLBACK SkinScrollHookProc(HWND, UINT, WPARAM, LPARAM);

    // The hooked control's messages, after its own procedure.
    void OnControlMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // The control is being destroyed: unhook it; the frame follows unless it is dying itself.
    void OnControlDestroy();
    void MirrorBar(CSkinScrollBar& bar, int which, BOOL redraw);
    void PlaceBars(const RECT& client);
    void ForwardScroll(UINT message, UINT code, UINT pos, CScrollBar* bar);

    LRESULT OnUpdateLayout(WPARAM vertical, LPARAM left);
    LRESULT OnQuery(WPARAM, LPARAM) { return 1; }
    LRESULT OnRelease(WPARAM, LPARAM);
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
    void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
    void OnTimer(UINT_PTR id);
    void OnSize(UINT type, int cx, int cy);
    void OnPaint();
    void OnMouseMove(UINT flags, CPoint point);
    void OnMouseHover(UINT flags, CPoint point);
    void OnDestroy();
    void PostNcDestroy() override;

    DECLARE_MESSAGE_MAP()

private:
    int m_nScrollWid;     // bar thickness
    CSkinScrollBar m_sbHorz;
    CSkinScrollBar m_sbVert;
    CWnd m_wndLimit;
    HBITMAP m_hBmpScroll; // borrowed
    BOOL m_bOp;           // set while the frame itself talks to the control or lays it out
    WNDPROC m_funOldProc;
    HWND m_hWndCtrl;
    BOOL m_bDying;        // between the frame's WM_DESTROY and WM_NCDESTROY
};

LRESULT CALLBACK SkinScrollHookProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
