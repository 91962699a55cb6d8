// uikit/widget/ToggleItem.cpp
#include "uikit/widget/ToggleItem.h"

#include "uikit/widget/WidgetGeometry.h"

namespace UiCtrl {

int ToggleItem::OnMouseLBtnUp(WPARAM, LPARAM lParam)
{
    const RECT hit = HitArea();
    const POINT cursor = CursorFromLParam(lParam);
    if (!enabled_ || !PtInRect(&hit, cursor))
        return 0;
    on_ = !on_;
    PostCommand(on_);
    InvalidateSelf();
    return 0;
}

RECT ToggleItem::HitArea() const
{
    return CheckHitArea(rect_);
}

} // namespace UiCtrl
