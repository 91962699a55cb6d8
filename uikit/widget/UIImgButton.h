// uikit/widget/UIImgButton.h
// Layout type 9: a button of four skin images drawn in their own size at its top-left.
#pragma once
#include "uikit/widget/UiItem.h"
#include "uikit/widget/WidgetSupport.h"

namespace UiCtrl {

class UIImgButton : public UiItem {
public:
    int Draw(HDC dc) override;
    bool LoadFromXml(HWND owner, int id, int left, int top, int right, int bottom,
                     const TiXmlElement* element) override;
    // When enabled and visible: back to hover, and WM_COMMAND (id, 0).
    int OnMouseLBtnUp(WPARAM wParam, LPARAM lParam) override;

    // Skin file names; a missing one leaves that state without an image.
    void LoadImages(const std::string& normal, const std::string& over, const std::string& click,
                    const std::string& disable);

private:
    SkinImage images_[4];
};

} // namespace UiCtrl
