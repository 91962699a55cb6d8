// uikit/dropdown/FilterDropItem.cpp
#include "uikit/dropdown/FilterDropItem.h"

#include "app/LangString.h"
#include "app/ResourceHelper.h"
#include "uikit/widget/DcTextState.h"
#include "uikit/widget/LayoutAttr.h"
#include "uikit/widget/WidgetGeometry.h"

namespace UiCtrl {

namespace {
const COLORREF kRowBrush = 0x2E241E;
} // namespace

FilterDropItem::FilterDropItem() : normalBrush_(kRowBrush), hoverBrush_(kRowBrush) {}

bool FilterDropItem::LoadFromXml(HWND owner, int id, int left, int top, int right, int bottom,
                                 const TiXmlElement* element)
{
    StoreFrame(owner, id, left, top, right, bottom);
    if (!element)
        return false;
    ReadColorAttr(element, "Hovercolor", hoverColour_);
    ReadColorAttr(element, "color", colour_);
    ReadIntAttrIfPresent(element, "FontSize", fontHeight_);
    checkedImage_ = LoadSkinAttr(element, "checkImg");
    checkedImageWidth_ = ImageSize(checkedImage_).cx;
    uncheckedImage_ = LoadSkinAttr(element, "nocheckImg");
    COLORREF colour = 0;
    if (ReadColorAttr(element, "BrushColor", colour))
        normalBrush_.Reset(colour);
    if (ReadColorAttr(element, "BrushColorHover", colour))
        hoverBrush_.Reset(colour);
    captionKey_ = ReadTextAttr(element, "caption");
    MeasureText(GetLangString(captionKey_.c_str()));
    return true;
}

void FilterDropItem::MeasureText(const std::string& text)
{
    caption_ = text;
    textRect_ = DropRowTextRect(rect_, checkedImageWidth_,
                                MeasureTextWidth(text, fontHeight_, 400, false));
}

bool FilterDropItem::ReloadText()
{
    const std::string& key = langKey_.empty() ? captionKey_ : langKey_;
    if (key.empty())
        return false;
    caption_ = GetLangString(key.c_str());
    return true;
}

int FilterDropItem::Draw(HDC dc)
{
    if (!visible_)
        return 0;
    DcTextState saved(dc);
    const bool hover = state_ == kStateHover;
    const RECT background = BackgroundRect();
    if (HBRUSH brush = hover ? hoverBrush_.Get() : normalBrush_.Get())
        FillRect(dc, &background, brush);
    saved.Colour(hover ? hoverColour_ : colour_);
    ResourceHelper& res = ResourceHelper::Instance();
    const SkinImage& image = checked_ ? checkedImage_ : uncheckedImage_;
    if (image) {
        const SIZE size = ImageSize(image);
        res.DrawGdiImage(dc, image.get(), rect_.left + 2,
                         rect_.top + (rect_.bottom - rect_.top - size.cy) / 2);
    }
    saved.Font(res.GetFont(fontHeight_, 400, false));
    RECT text = textRect_;
    DrawTextA(dc, caption_.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    return 0;
}

int FilterDropItem::OnMouseLBtnUp(WPARAM, LPARAM)
{
    if (owner_)
        PostMessageA(owner_, kFilterChosenMessage, static_cast<WPARAM>(ChosenValue()), 0);
    return 0;
}

RECT FilterFileTypeItem::BackgroundRect() const
{
    RECT r = rect_;
    r.right -= 4;
    return r;
}

} // namespace UiCtrl
