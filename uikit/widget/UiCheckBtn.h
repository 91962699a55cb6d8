// uikit/widget/UiCheckBtn.h
// Layout type 7: a square check box with its text. Only a fixed area at its top-left
// (160 x 16) takes the click.
#pragma once
#include "uikit/widget/ToggleItem.h"

namespace UiCtrl {

class UiCheckBtn : public ToggleItem {
public:
    int Draw(HDC dc) override;
    bool LoadFromXml(HWND owner, int id, int left, int top, int right, int bottom,
                     const TiXmlElement* element) override;

    bool IsChecked() const { return on_ != 0; }
    void SetChecked(bool checked) { on_ = checked ? 1 : 0; }

    static const int kCheckedBitmap = 195;
    static const int kUncheckedBitmap = 193;

private:
    int user_ = 0;
    int boxSize_ = 13;
};

} // namespace UiCtrl
