// uikit/widget/UiImgCheckBtn.h
// Layout type 10: a check button of two skin images (checked, unchecked) and a text, on a
// filled background. Only a fixed area at its top-left (160 x 16) takes the click.
#pragma once
#include "uikit/widget/ToggleItem.h"
#include "uikit/widget/WidgetSupport.h"

namespace UiCtrl {

class UiImgCheckBtn : public ToggleItem {
public:
    UiImgCheckBtn();

    int Draw(HDC dc) override;
    bool LoadFromXml(HWND owner, int id, int left, int top, int right, int bottom,
                     const TiXmlElement* element) override;

    bool IsChecked() const { return on_ != 0; }
    void SetChecked(bool checked) { on_ = checked ? 1 : 0; }

private:
    SkinImage checkedImage_;
    SkinImage uncheckedImage_;
    int gap_ = 13;
    int fontSize_ = 14;
    COLORREF textColour_ = 0xFFFFFF;
    OwnedBrush background_;
    int imageAlign_ = 0;
};

} // namespace UiCtrl
