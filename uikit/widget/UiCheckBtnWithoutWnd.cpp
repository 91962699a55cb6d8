// uikit/widget/UiCheckBtnWithoutWnd.cpp
#include "uikit/widget/UiCheckBtnWithoutWnd.h"

#include "app/LangString.h"
#include "app/ResourceHelper.h"
#include "uikit/widget/DcTextState.h"
#include "uikit/widget/LayoutAttr.h"
#include "uikit/widget/WidgetSupport.h"

namespace UiCtrl {

namespace {
const COLORREF kHoverFrame = 0xFBD6B8, kHoverFill = 0xFFF8F3;
const COLORREF kPressFrame = 0xDDAC84, kPressFill = 0xFFF5ED;
const COLORREF kWhite = 0xFFFFFF;
} // namespace

bool UiCheckBtnWithoutWnd::LoadFromXml(HWND owner, int id, int left, int top, int right,
                                       int bottom, const TiXmlElement* element)
{
    StoreFrame(owner, id, left, top, right, bottom);
    if (!element)
        return false;
    caption1Key_ = ReadTextAttr(element, "caption1");
    caption1_ = GetLangString(caption1Key_.c_str());
    caption2Key_ = ReadTextAttr(element, "caption2");
    caption2_ = GetLangString(caption2Key_.c_str());
    normal_ = LoadBitmapPicture(ReadIntAttr(element, "normal"));
    hover_ = LoadBitmapPicture(ReadIntAttr(element, "over"));
    radio_ = ReadIntAttr(element, "radio");
    root_ = ReadIntAttr(element, "root");
    user_ = ReadIntAttr(element, "bUser");
    if (user_)
        hoverCheckedPicture_ = LoadBitmapPicture(ReadIntAttr(element, "disable"));
    if (!checkedPicture_)
        checkedPicture_ = LoadBitmapPicture(ReadIntAttr(element, "press"));
    return true;
}

int UiCheckBtnWithoutWnd::Draw(HDC dc)
{
    if (!visible_)
        return 0;
    DcTextState saved(dc);
    RECT inner = rect_;
    InflateRect(&inner, -1, -1);
    IPicture* current = normal_;
    if (state_ == kStateHover) {
        FrameWithColour(dc, rect_, kHoverFrame);
        FillWithColour(dc, inner, kHoverFill);
        current = hover_;
    } else if (state_ == kStatePressed || (radio_ && checked_)) {
        FrameWithColour(dc, rect_, kPressFrame);
        FillWithColour(dc, inner, kPressFill);
        current = hover_;
    }
    ResourceHelper& res = ResourceHelper::Instance();
    if (!checked_) {
        res.DrawPicture(dc, current, rect_.left, rect_.top, rect_.right, rect_.bottom, kWhite);
    } else if (state_ == kStateHover && user_ && hoverCheckedPicture_) {
        FrameWithColour(dc, rect_, kHoverFrame);
        FillWithColour(dc, inner, kHoverFill);
        res.DrawPicture(dc, hoverCheckedPicture_, rect_.left, rect_.top, rect_.right,
                        rect_.bottom, kWhite);
    } else {
        res.DrawPicture(dc, checkedPicture_, rect_.left, rect_.top, rect_.right, rect_.bottom,
                        kWhite);
    }
    return 0;
}

int UiCheckBtnWithoutWnd::OnMouseLBtnDown(WPARAM, LPARAM)
{
    checked_ = !checked_;
    PostCommand(0);
    InvalidateSelf();
    return 0;
}

bool UiCheckBtnWithoutWnd::ReloadText()
{
    if (!caption1Key_.empty())
        caption1_ = GetLangString(caption1Key_.c_str());
    if (!caption2Key_.empty())
        caption2_ = GetLangString(caption2Key_.c_str());
    return true;
}

} // namespace UiCtrl
