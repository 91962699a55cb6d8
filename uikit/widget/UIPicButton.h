// uikit/widget/UIPicButton.h
// Layout type 6: a button of four bitmap pictures (normal, hover, pressed, disabled).
#pragma once
#include <ocidl.h>

#include "uikit/widget/UiItem.h"

namespace UiCtrl {

class UIPicButton : public UiItem {
public:
    int Draw(HDC dc) override;
    bool LoadFromXml(HWND owner, int id, int left, int top, int right, int bottom,
                     const TiXmlElement* element) override;
    // When enabled and visible: back to hover, and WM_COMMAND (id, 0).
    int OnMouseLBtnUp(WPARAM wParam, LPARAM lParam) override;

    void LoadPictures(int normal, int over, int click, int disable);

private:
    IPicture* pictures_[4] = {nullptr, nullptr, nullptr, nullptr};
};

} // namespace UiCtrl
