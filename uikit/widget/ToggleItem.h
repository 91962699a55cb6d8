// uikit/widget/ToggleItem.h
// A captioned widget with an on/off flag that a click inside its hit area flips.
#pragma once
#include "uikit/widget/CaptionedItem.h"

namespace UiCtrl {

class ToggleItem : public CaptionedItem {
public:
    // Enabled and inside the hit area: flips and reports WM_COMMAND (id, flag).
    int OnMouseLBtnUp(WPARAM wParam, LPARAM lParam) override;

protected:
    // The area that takes the click; by default the fixed check area at the top-left.
    virtual RECT HitArea() const;

    int on_ = 0;
};

} // namespace UiCtrl
