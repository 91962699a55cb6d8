// uikit/host/MouseRouter.cpp
#include "uikit/host/MouseRouter.h"

#include <climits>

namespace UiCtrl {

const int MouseRouter::kNone = INT_MIN;

UiItem* MouseRouter::HitTest(const UiItemMap& items, POINT point)
{
    for (const auto& entry : items) {
        UiItem* item = entry.second;
        if (!item || !item->IsVisible())
            continue;
        RECT rect;
        item->GetRect(rect);
        if (PtInRect(&rect, point))
            return item;
    }
    return nullptr;
}

UiItem* MouseRouter::Find(int id) const
{
    if (id == kNone)
        return nullptr;
    auto it = items_.find(id);
    return it == items_.end() ? nullptr : it->second;
}

void MouseRouter::Rest(UiItem* item)
{
    if (item)
        item->SetState(item->IsEnabled() ? kStateNormal : kStateDisabled);
}

unsigned MouseRouter::OnMouseMove(WPARAM wParam, LPARAM lParam)
{
    unsigned result = kNothing;
    if (!tracking_) {
        tracking_ = true;
        result |= kTrackLeave;
    }
    UiItem* hit = HitTest(items_, CursorFromLParam(lParam));
    UiItem* hover = HoverItem();
    if (hit && hit != hover) {
        Rest(hover);
        hoverId_ = hit->GetId();
        if (hit->GetState() == kStateNormal)
            hit->SetState(kStateHover);
        return result | kRepaint;
    }
    if (hit) {
        hit->OnMouseMove(wParam, lParam);
        return result;
    }
    if (hover) {
        Rest(hover);
        hoverId_ = kNone;
        result |= kRepaint;
    }
    hoverId_ = kNone;
    return result;
}

unsigned MouseRouter::OnMouseLeave()
{
    tracking_ = false;
    // Without capture the release outside the window never arrives: the press is over.
    pressedId_ = kNone;
    UiItem* hover = HoverItem();
    hoverId_ = kNone;
    if (!hover)
        return kNothing;
    Rest(hover);
    return kRepaint;
}

unsigned MouseRouter::OnLButtonDown(WPARAM wParam, LPARAM lParam)
{
    pressedId_ = kNone;
    UiItem* hit = HitTest(items_, CursorFromLParam(lParam));
    if (hit) {
        pressedId_ = hit->GetId();
        if (hit->IsEnabled())
            hit->SetState(kStatePressed);
        hit->OnMouseLBtnDown(wParam, lParam);
    }
    return kRepaint;
}

unsigned MouseRouter::OnLButtonUp(WPARAM wParam, LPARAM lParam)
{
    UiItem* pressed = PressedItem();
    const int pressedBefore = pressedId_;
    pressedId_ = kNone;
    UiItem* hit = HitTest(items_, CursorFromLParam(lParam));
    if (hit && hit == pressed)
        hit->OnMouseLBtnUp(wParam, lParam);
    // The press is over: a widget still drawn pressed shows hover again while the cursor is
    // on it, else its resting look. (A click handler may have changed the map: look again.)
    const bool under = hit && hit == pressed;
    pressed = Find(pressedBefore);
    if (pressed && pressed->GetState() == kStatePressed) {
        if (under)
            pressed->SetState(kStateHover);
        else
            Rest(pressed);
    }
    return kRepaint;
}

HCURSOR MouseRouter::CursorAt(POINT point) const
{
    UiItem* hit = HitTest(items_, point);
    return hit ? hit->HoverCursor() : nullptr;
}

bool ShowWidgetCursor(const MouseRouter& router, HWND host, LPARAM lParam)
{
    POINT point;
    if (LOWORD(lParam) != HTCLIENT || !GetCursorPos(&point) || !ScreenToClient(host, &point))
        return false;
    HCURSOR cursor = router.CursorAt(point);
    if (!cursor)
        return false;
    SetCursor(cursor);
    return true;
}

void MouseRouter::Reset()
{
    hoverId_ = kNone;
    pressedId_ = kNone;
    tracking_ = false;
}

} // namespace UiCtrl
