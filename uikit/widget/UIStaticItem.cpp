// uikit/widget/UIStaticItem.cpp
#include "uikit/widget/UIStaticItem.h"

#include "app/LangString.h"
#include "app/ResourceHelper.h"
#include "uikit/widget/DcTextState.h"
#include "uikit/widget/LayoutAttr.h"
#include "uikit/widget/WidgetSupport.h"

namespace UiCtrl {

bool UIStaticItem::LoadFromXml(HWND owner, int id, int left, int top, int right, int bottom,
                               const TiXmlElement* element)
{
    StoreFrame(owner, id, left, top, right, bottom);
    textRect_ = rect_;
    if (!element)
        return false;
    ReadColorAttr(element, "color", colour_);
    ReadIntAttrIfPresent(element, "FontSize", fontSize_);
    SetText(GetLangString(ReadTextAttr(element, "caption").c_str()));
    return true;
}

void UIStaticItem::SetText(const std::string& text)
{
    caption_ = text;
    rect_.right = rect_.left + MeasureTextWidth(caption_, fontSize_, 400, false);
    textRect_ = rect_;
}

bool UIStaticItem::ReloadText()
{
    if (langKey_.empty())
        return false;
    SetText(GetLangString(langKey_.c_str()));
    return true;
}

int UIStaticItem::Draw(HDC dc)
{
    if (!visible_)
        return 0;
    DcTextState saved(dc);
    if (colour_)
        saved.Colour(colour_);
    saved.Font(ResourceHelper::Instance().GetFont(fontSize_, 400, false));
    RECT r = rect_;
    DrawTextA(dc, caption_.c_str(), -1, &r, DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    return 0;
}

} // namespace UiCtrl
