// uikit/dropdown/FilterDropItem.h
// One row of a filter drop-down list: a check image and a caption on a row brush. A click
// tells the list which value was chosen (message 0x2400); the list then checks exactly that
// row, so rows never flip on their own.
#pragma once
#include "uikit/widget/UiItem.h"
#include "uikit/widget/WidgetSupport.h"

namespace UiCtrl {

// Posted by a row to its list, and by a list to its owner as WM_COMMAND wParam.
const UINT kFilterChosenMessage = 0x2400;

class FilterDropItem : public UiItem {
public:
    FilterDropItem();

    int Draw(HDC dc) override;
    bool LoadFromXml(HWND owner, int id, int left, int top, int right, int bottom,
                     const TiXmlElement* element) override;
    // Posts kFilterChosenMessage (ChosenValue(), 0) to the list window.
    int OnMouseLBtnUp(WPARAM wParam, LPARAM lParam) override;
    // The caption again from its key; the text rectangle keeps its measure.
    bool ReloadText() override;

    // Stores the caption and places the text rectangle after the check image.
    void MeasureText(const std::string& text);
    void GetTextRect(RECT& out) const { out = textRect_; }
    const std::string& GetCaption() const { return caption_; }
    bool IsChecked() const { return checked_ != 0; }
    void SetChecked(bool checked) { checked_ = checked ? 1 : 0; }

    // The value the row stands for in its list's report.
    virtual int ChosenValue() const = 0;

protected:
    // Where the row brush goes.
    virtual RECT BackgroundRect() const { return rect_; }

private:
    std::string caption_;
    std::string captionKey_;
    RECT textRect_ = {0, 0, 0, 0};
    COLORREF hoverColour_ = 0;
    COLORREF colour_ = 0;
    SkinImage checkedImage_;
    SkinImage uncheckedImage_;
    int checked_ = 1;
    int checkedImageWidth_ = 0;
    int fontHeight_ = 16;
    OwnedBrush normalBrush_;
    OwnedBrush hoverBrush_;
};

// A row of the file-kind list: reports its id + 100 (201 Photo ... 205 Other).
class FilterFileTypeItem : public FilterDropItem {
public:
    int ChosenValue() const override { return id_ + 100; }

protected:
    RECT BackgroundRect() const override;
};

// A row of the size-unit list: reports its id.
class FilterKBMBItem : public FilterDropItem {
public:
    int ChosenValue() const override { return id_; }
};

} // namespace UiCtrl
