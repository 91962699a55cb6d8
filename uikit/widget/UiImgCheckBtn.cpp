// uikit/widget/UiImgCheckBtn.cpp
#include "uikit/widget/UiImgCheckBtn.h"

#include "app/LangString.h"
#include "app/ResourceHelper.h"
#include "uikit/widget/DcTextState.h"
#include "uikit/widget/LayoutAttr.h"
#include "uikit/widget/WidgetGeometry.h"

namespace UiCtrl {

namespace {
const COLORREF kDefaultBackground = 0x2E241E;
} // namespace

UiImgCheckBtn::UiImgCheckBtn() : background_(kDefaultBackground) {}

bool UiImgCheckBtn::LoadFromXml(HWND owner, int id, int left, int top, int right, int bottom,
                                const TiXmlElement* element)
{
    StoreFrame(owner, id, left, top, right, bottom);
    if (!element)
        return false;
    caption_ = GetLangString(ReadTextAttr(element, "caption").c_str());
    gap_ = ReadIntAttr(element, "nGapSize");
    ReadIntAttrIfPresent(element, "FontSize", fontSize_);
    ReadIntAttrIfPresent(element, "imgAlign", imageAlign_);
    ReadColorAttr(element, "TextColor", textColour_);
    COLORREF colour = kDefaultBackground;
    ReadColorAttr(element, "bgColor", colour);
    background_.Reset(colour);
    if (HasAttr(element, "CheckImg"))
        checkedImage_ = LoadSkinAttr(element, "CheckImg");
    if (HasAttr(element, "UnCheckImg"))
        uncheckedImage_ = LoadSkinAttr(element, "UnCheckImg");
    return true;
}

int UiImgCheckBtn::Draw(HDC dc)
{
    if (!visible_)
        return 0;
    DcTextState saved(dc);
    if (background_)
        FillRect(dc, &rect_, background_.Get());
    saved.Colour(textColour_);
    ResourceHelper& res = ResourceHelper::Instance();
    ImgCheckLayout layout = LayoutImgCheck(rect_, ImageSize(checkedImage_), gap_, imageAlign_);
    const SkinImage& image = on_ ? checkedImage_ : uncheckedImage_;
    if (image)
        res.DrawGdiImage(dc, image.get(), layout.image.left, layout.image.top);
    saved.Font(res.GetFont(fontSize_, 400, false));
    DrawTextA(dc, caption_.c_str(), -1, &layout.text, layout.format);
    return 0;
}

} // namespace UiCtrl
