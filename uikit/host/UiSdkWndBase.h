// uikit/host/UiSdkWndBase.h
// A plain Win32 child window that hosts window-less widgets: it owns them by id, paints
// them through a memory DC in one copy, and routes the mouse to them (MouseRouter).
// Base of the pages and of the drop-down lists.
#pragma once
#include <windows.h>
#include <ocidl.h>
#include <string>

#include "uikit/draw/MemorySurface.h"
#include "uikit/host/MouseRouter.h"
#include "uikit/widget/UiItem.h"

namespace UiCtrl {

class UiSdkWndBase {
public:
    // classStyle is added to CS_VREDRAW. With bandFlag the base background draws a gradient
    // band at the bottom; with stripFlag the bottom strip picture (bitmap 525) is drawn.
    UiSdkWndBase(const char* className, int bandFlag, int stripFlag, UINT classStyle);
    // Destroys the window first, then the widgets and the off-screen surface.
    virtual ~UiSdkWndBase();

    // Creates the window once (not visible: the caller shows it), then builds the surface.
    // Pop-up styles get no child id: a pop-up's id would be taken for a menu handle.
    virtual int CreateWin(HWND parent, int id, int left, int top, int right, int bottom,
                          DWORD style);
    // Hook of derived windows; the base never calls it.
    virtual int OnCreated();
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual int OnLButtonDown(WPARAM wParam, LPARAM lParam);
    virtual int OnLButtonUp(WPARAM wParam, LPARAM lParam);
    virtual int OnMouseMove(WPARAM wParam, LPARAM lParam);
    virtual int OnMouseLeave(WPARAM wParam, LPARAM lParam);
    virtual int OnMouseWheel(WPARAM wParam, LPARAM lParam);
    virtual int OnSize(WPARAM wParam, LPARAM lParam);
    virtual int OnPaint(WPARAM wParam, LPARAM lParam);
    virtual int DrawBackground(HDC memoryDc);
    virtual int DrawBottomStrip(HDC memoryDc);
    // Painted over the widgets, under the bottom strip; the base draws nothing.
    virtual int DrawForeground(HDC memoryDc);
    // Every widget looks its text up again (language change).
    virtual int ReloadText();

    HWND GetHwnd() const { return hwnd_; }
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // The base message routing; derived window procedures chain to it.
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    // Fills items from the "Resource.xml" element elementName with owner as the widgets'
    // owner. -1 when there is no such element, else 0. Needs no host window.
    static int LoadLayout(const char* elementName, HWND owner, UiItemMap& items);

    UiItemMap& Items() { return items_; }
    UiItem* FindItem(int id) const;
    const MouseRouter& Router() const { return router_; }
    bool HasSurface() const { return static_cast<bool>(surface_); }

    UiSdkWndBase(const UiSdkWndBase&) = delete;
    UiSdkWndBase& operator=(const UiSdkWndBase&) = delete;

protected:
    void InvalidateAll(BOOL erase = FALSE);
    void ApplyRouting(unsigned flags);

    UiItemMap items_;
    std::string className_;
    HWND hwnd_ = nullptr;
    HDC windowDc_ = nullptr;
    MemorySurface surface_;
    int bandFlag_ = 0;
    int stripFlag_ = 0;
    IPicture* stripPicture_ = nullptr;
    MouseRouter router_;
};

// Colours of every host's client area.
const COLORREF kHostBackground = 0x1C1A17;

} // namespace UiCtrl
