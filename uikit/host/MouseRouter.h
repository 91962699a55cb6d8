// uikit/host/MouseRouter.h
// Mouse routing of every widget host (host window, skinned dialogs): hover and leave, press
// and release. It holds no window; the host does what the returned flags ask for.
//
// A click reaches only the widget that got the press and is still under the cursor at the
// release, so a press that starts elsewhere and ends over a button does not fire it.
// Widgets are remembered by id, not by pointer, so a host may replace or delete widgets
// between messages.
#pragma once
#include "uikit/widget/UiItem.h"

namespace UiCtrl {

class MouseRouter {
public:
    enum : unsigned {
        kNothing = 0,
        kRepaint = 1,     // invalidate the whole client area (no erase)
        kTrackLeave = 2,  // request WM_MOUSELEAVE (TrackMouseEvent, TME_LEAVE)
    };

    explicit MouseRouter(const UiItemMap& items) : items_(items) {}

    unsigned OnMouseMove(WPARAM wParam, LPARAM lParam);
    unsigned OnMouseLeave();
    // The host takes the focus itself before calling this.
    unsigned OnLButtonDown(WPARAM wParam, LPARAM lParam);
    unsigned OnLButtonUp(WPARAM wParam, LPARAM lParam);
    // Forgets hover, press and tracking (the window went away).
    void Reset();

    UiItem* HoverItem() const { return Find(hoverId_); }
    // The cursor wanted by the widget under the client point; null for the host's own.
    HCURSOR CursorAt(POINT point) const;
    UiItem* PressedItem() const { return Find(pressedId_); }
    bool IsTracking() const { return tracking_; }

    // The first widget in ascending id order that is visible and contains the point (left and
    // top inclusive). Disabled widgets are hit too; their handlers decide.
    static UiItem* HitTest(const UiItemMap& items, POINT point);

private:
    static const int kNone;
    UiItem* Find(int id) const;
    // A widget the cursor left goes back to normal, or to disabled when it is disabled.
    static void Rest(UiItem* item);

    const UiItemMap& items_;
    int hoverId_ = kNone;
    int pressedId_ = kNone;
    bool tracking_ = false;
};

// WM_SETCURSOR of a host: shows the cursor of the widget under the mouse in the client area.
// True when it did (the host returns TRUE); false leaves the message to the default, which
// would put the class cursor back on every move and make a link's hand flicker.
bool ShowWidgetCursor(const MouseRouter& router, HWND host, LPARAM lParam);

} // namespace UiCtrl
