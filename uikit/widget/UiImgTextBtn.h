// uikit/widget/UiImgTextBtn.h
// Layout type 11: an icon-and-text toggle button on background pictures or colours. It takes
// clicks in a fixed area at its top-left (220 x 60), or over its whole rectangle when it is a
// background-picture button.
#pragma once
#include "uikit/widget/UiItem.h"
#include "uikit/widget/WidgetSupport.h"

namespace UiCtrl {

class UiImgTextBtn : public UiItem {
public:
    UiImgTextBtn();

    int Draw(HDC dc) override;
    bool LoadFromXml(HWND owner, int id, int left, int top, int right, int bottom,
                     const TiXmlElement* element) override;
    // Enabled and inside the hit area: flips the pressed flag, WM_COMMAND (id, flag).
    int OnMouseLBtnUp(WPARAM wParam, LPARAM lParam) override;
    bool ReloadText() override;

    bool IsPressed() const { return pressed_ != 0; }
    void SetPressed(bool pressed) { pressed_ = pressed ? 1 : 0; }
    const std::string& GetCaption() const { return caption_; }
    void SetCaption(const std::string& caption) { caption_ = caption; }

private:
    std::string caption_;
    int pressed_ = 0;
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
