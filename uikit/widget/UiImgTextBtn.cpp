// uikit/widget/UiImgTextBtn.cpp
#include "uikit/widget/UiImgTextBtn.h"

#include "app/LangString.h"
#include "app/ResourceHelper.h"
#include "uikit/widget/DcTextState.h"
#include "uikit/widget/LayoutAttr.h"
#include "uikit/widget/WidgetGeometry.h"

namespace UiCtrl {

namespace {
const COLORREF kDefaultBackground = 0x2E241E;

SkinImage SkinIfPresent(const TiXmlElement* element, const char* name)
{
    return HasAttr(element, name) ? LoadSkinAttr(element, name) : SkinImage();
}
} // namespace

UiImgTextBtn::UiImgTextBtn() : background_(kDefaultBackground) {}

bool UiImgTextBtn::LoadFromXml(HWND owner, int id, int left, int top, int right, int bottom,
                               const TiXmlElement* element)
{
    StoreFrame(owner, id, left, top, right, bottom);
    if (!element)
        return false;
    caption_ = GetLangString(ReadTextAttr(element, "caption").c_str());
    gap_ = ReadIntAttr(element, "nGapSize");
    ReadIntAttrIfPresent(element, "FontSize", fontSize_);
    ReadIntAttrIfPresent(element, "imgAlign", imageAlign_);
    ReadIntAttrIfPresent(element, "isBgImg", backgroundImage_);
    ReadColorAttr(element, "TextColor", textColour_);
    ReadColorAttr(element, "TextColorOver", hoverTextColour_);
    ReadHexIntAttr(element, "icotoTop", iconToTop_);
    COLORREF colour = kDefaultBackground;
    ReadColorAttr(element, "bgColor", colour);
    background_.Reset(colour);
    if (ReadColorAttr(element, "bgColor_pre", colour))
        pressedBrush_.Reset(colour);
    if (ReadColorAttr(element, "bgColor_hov", colour))
        hoverBrush_.Reset(colour);
    const char* icons[4] = {"normal", "over", "click", "disable"};
    const char* backgrounds[4] = {"normal_bg", "over_bg", "click_bg", "disable_bg"};
    for (int i = 0; i < 4; ++i) {
        icons_[i] = SkinIfPresent(element, icons[i]);
        backgrounds_[i] = SkinIfPresent(element, backgrounds[i]);
    }
    if (HasAttr(element, "caption")) {
        langKey_ = ReadTextAttr(element, "caption");
        caption_ = GetLangString(langKey_.c_str());
    }
    ReadIntAttrIfPresent(element, "textBold", bold_);
    return true;
}

int UiImgTextBtn::Draw(HDC dc)
{
    if (!visible_)
        return 0;
    DcTextState saved(dc);
    ResourceHelper& res = ResourceHelper::Instance();
    const int state = (state_ >= 0 && state_ <= 3) ? state_ : 0;
    const SkinImage& icon = icons_[state];
    const SkinImage& background = backgrounds_[state];
    COLORREF text = textColour_;
    if (state == kStateHover && hoverTextColour_)
        text = hoverTextColour_;

    if (background)
        res.DrawGdiImage(dc, background.get(), rect_.left, rect_.top);
    else if (on_ && pressedBrush_)
        FillRect(dc, &rect_, pressedBrush_.Get());
    else if (state == kStateHover && hoverBrush_)
        FillRect(dc, &rect_, hoverBrush_.Get());
    else if (background_)
        FillRect(dc, &rect_, background_.Get());

    ImgTextLayout layout = LayoutImgText(rect_, ImageSize(icon), gap_, imageAlign_, iconToTop_,
                                         backgroundImage_);
    if (icon)
        res.DrawGdiImage(dc, icon.get(), layout.icon.x, layout.icon.y);

    saved.Font(res.GetFont(fontSize_, bold_ ? 600 : 400, false));
    saved.Colour(text);
    // Captions may hold line breaks: centre the measured block by hand.
    RECT measured = layout.text;
    DrawTextA(dc, caption_.c_str(), -1, &measured, layout.format | DT_CALCRECT);
    layout.text.top = rect_.top + (rect_.bottom - rect_.top - (measured.bottom - measured.top)) / 2;
    DrawTextA(dc, caption_.c_str(), -1, &layout.text, layout.format);
    return 0;
}

RECT UiImgTextBtn::HitArea() const
{
    return ImgTextHitArea(rect_, backgroundImage_);
}

} // namespace UiCtrl
