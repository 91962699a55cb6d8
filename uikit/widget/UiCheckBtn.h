// uikit/widget/UiCheckBtn.h
// Layout type 7: a square check box with its text. Only a fixed area at its top-left
// (160 x 16) takes the click.
#pragma once
#include "uikit/widget/UiItem.h"

namespace UiCtrl {

class UiCheckBtn : public UiItem {
public:
    int Draw(HDC dc) override;
    bool LoadFromXml(HWND owner, int id, int left, int top, int right, int bottom,
                     const TiXmlElement* element) override;
    // Enabled and inside the hit area: flips and reports WM_COMMAND (id, checked).
    int OnMouseLBtnUp(WPARAM wParam, LPARAM lParam) override;
    bool ReloadText() override;

    bool IsChecked() const { return checked_ != 0; }
    void SetChecked(bool checked) { checked_ = checked ? 1 : 0; }
    const std::string& GetCaption() const { return caption_; }
    void SetCaption(const std::string& caption) { caption_ = caption; }

    static const int kCheckedBitmap = 195;
    static const int kUncheckedBitmap = 193;

private:
    std::string caption_;
    int checked_ = 0;
    int user_ = 0;
    int boxSize_ = 13;
};

} // namespace UiCtrl
