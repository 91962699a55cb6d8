// uikit/controls/XPTabCtrl.h
// An owner-drawn tab control that draws with the theme library when a theme is active
// (looked up at run time: systems before 5.1 and themeless sessions draw plainly).
#pragma once
#include "mfc/Mfc.h"

// Sent to the parent after the selection changed: wParam the new selection.
constexpr UINT kTabSelectionChangedMessage = WM_USER + 10;

// (major << 16) | minor of the running system, read once.
DWORD TabWindowsVersion();
// True on 5.1 or later with an active theme.
bool TabThemesUsable();
// Draws a themed part background; E_FAIL (0x80004005) whenever themes are not usable, the
// class name is empty or the library lacks what is needed.
HRESULT DrawThemedBackground(HDC dc, int part, int state, const char* themeClass,
                             const RECT& rect);

class CXPTabCtrl : public CTabCtrl
{
public:
    virtual void DrawItem(LPDRAWITEMSTRUCT item);

protected:
    void OnPaint();
    void OnSelChanging(NMHDR* header, LRESULT* result);
    void OnSelChange(NMHDR* header, LRESULT* result);
    DECLARE_MESSAGE_MAP()

private:
    void DrawTab(HDC dc, int index, const RECT& rect, bool selected);
    int m_oldSelection = -1;
};
