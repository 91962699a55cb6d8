// uikit/widget/UiImgTextBtn.h
// Layout type 11: an icon-and-text toggle button on background pictures or colours. It takes
// clicks in a fixed area at its top-left (220 x 60), or over its whole rectangle when it is a
// background-picture button.
#pragma once
#include "uikit/widget/ToggleItem.h"
#include "uikit/widget/WidgetSupport.h"

namespace UiCtrl {

class UiImgTextBtn : public ToggleItem {
public:
    UiImgTextBtn();

    int Draw(HDC dc) override;
    bool LoadFromXml(HWND owner, int id, int left, int top, int right, int bottom,
                     const TiXmlElement* element) override;

    // The click flips the pressed flag.
    bool IsPressed() const { return on_ != 0; }
    void SetPressed(bool pressed) { on_ = pressed ? 1 : 0; }

protected:
    RECT HitArea() const override;

private:
    SkinImage icons_[4];
    int gap_ = 13;
    int fontSize_ = 14;
    COLORREF textColour_ = 0xFFFFFF;
    COLORREF hoverTextColour_ = 0;
    OwnedBrush background_;
    OwnedBrush pressedBrush_;
    OwnedBrush hoverBrush_;
    SkinImage backgrounds_[4];
    int imageAlign_ = 0;
    int bold_ = 0;
    int iconToTop_ = 0;
    int backgroundImage_ = 0;
};

} // namespace UiCtrl
