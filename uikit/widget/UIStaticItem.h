// uikit/widget/UIStaticItem.h
// Layout type 5: a line of text whose width follows the text.
#pragma once
#include "uikit/widget/UiItem.h"

namespace UiCtrl {

class UIStaticItem : public UiItem {
public:
    int Draw(HDC dc) override;
    bool LoadFromXml(HWND owner, int id, int left, int top, int right, int bottom,
                     const TiXmlElement* element) override;
    // Through SetText, so a language change resizes the widget.
    bool ReloadText() override;

    // Stores the text and makes the widget exactly as wide as it.
    void SetText(const std::string& text);
    const std::string& GetText() const { return caption_; }
    RECT GetTextRect() const { return textRect_; }

private:
    std::string caption_;
    RECT textRect_ = {0, 0, 0, 0};
    COLORREF colour_ = 0;   // 0 keeps the context's colour
    int fontSize_ = 16;
};

} // namespace UiCtrl
