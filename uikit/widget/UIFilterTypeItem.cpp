// uikit/widget/UIFilterTypeItem.cpp
#include "uikit/widget/UIFilterTypeItem.h"

#include "app/LangString.h"
#include "app/ResourceHelper.h"
#include "uikit/widget/DcTextState.h"
#include "uikit/widget/LayoutAttr.h"
#include "uikit/widget/WidgetGeometry.h"

namespace UiCtrl {

namespace {
const COLORREF kBackground = 0x1E242E, kHover = 0x01E24F;
const UINT kTextFormat = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
} // namespace

UIFilterTypeItem::UIFilterTypeItem() : background_(kBackground), hover_(kHover) {}

bool UIFilterTypeItem::LoadFromXml(HWND owner, int id, int left, int top, int right, int bottom,
                                   const TiXmlElement* element)
{
    StoreFrame(owner, id, left, top, right, bottom);
    if (!element)
        return false;
    ReadColorAttr(element, "Maincolor", kindColour_);
    ReadColorAttr(element, "color", extensionColour_);
    checkedImage_ = LoadSkinAttr(element, "checkImg");
    checkedImageWidth_ = ImageSize(checkedImage_).cx;
    uncheckedImage_ = LoadSkinAttr(element, "nocheckImg");
    // Known before the first paint, so an early click on the picture is not taken for a
    // selection.
    if (checkedImage_)
        PlaceCheckPicture(checkedImage_);
    COLORREF colour = 0;
    if (ReadColorAttr(element, "BrushColor", colour))
        background_.Reset(colour);
    if (ReadColorAttr(element, "BrushColorHover", colour))
        hover_.Reset(colour);
    kindKey_ = ReadTextAttr(element, "Maincaption");
    MeasureText(GetLangString(kindKey_.c_str()));
    captionKey_ = ReadTextAttr(element, "caption");
    SetCaptionText(GetLangString(captionKey_.c_str()));
    // The user's list is kept in the English file whatever the language (WriteDefaultLangString).
    userText_ = captionKey_.empty() ? std::string()
                                    : GetUserLangString((captionKey_ + "User").c_str());
    return true;
}

void UIFilterTypeItem::PlaceCheckPicture(const SkinImage& image)
{
    const SIZE size = ImageSize(image);
    const int x = rect_.left + 10;
    const int y = rect_.top + (rect_.bottom - rect_.top - size.cy) / 2;
    checkPictureRect_ = RECT{x, y, x + size.cx, y + size.cy};
}

void UIFilterTypeItem::MeasureText(const std::string& text)
{
    kindName_ = text;
    kindRect_ = FilterKindNameRect(rect_, checkedImageWidth_, MeasureTextWidth(text, 14, 400, false));
}

void UIFilterTypeItem::SetCaptionText(const std::string& text)
{
    extensionText_ = text;
    extensionRect_ = FilterExtensionRect(rect_, kindRect_);
}

void UIFilterTypeItem::SetUserText(const std::string& text)
{
    userText_ = text;
    if (!captionKey_.empty())
        WriteDefaultLangString((captionKey_ + "User").c_str(), text);
}

bool UIFilterTypeItem::ReloadText()
{
    if (!kindKey_.empty())
        MeasureText(GetLangString(kindKey_.c_str()));
    if (captionKey_.empty())
        return false;
    SetCaptionText(GetLangString(captionKey_.c_str()));
    userText_ = GetUserLangString((captionKey_ + "User").c_str());
    return true;
}

int UIFilterTypeItem::Draw(HDC dc)
{
    if (!visible_)
        return 0;
    DcTextState saved(dc);
    HBRUSH fill = (state_ == kStateHover || selected_) ? hover_.Get() : background_.Get();
    if (fill)
        FillRect(dc, &rect_, fill);

    ResourceHelper& res = ResourceHelper::Instance();
    const SkinImage& image = checked_ ? checkedImage_ : uncheckedImage_;
    if (image) {
        PlaceCheckPicture(image);
        res.DrawGdiImage(dc, image.get(), checkPictureRect_.left, checkPictureRect_.top);
    }

    saved.Font(res.GetFont(16, 400, false));
    if (kindColour_)
        saved.Colour(kindColour_);
    RECT kind = kindRect_;
    DrawTextA(dc, kindName_.c_str(), -1, &kind, kTextFormat);

    if (extensionColour_)
        saved.Colour(extensionColour_);
    RECT open = rect_;
    open.left = extensionRect_.left - 3;
    DrawTextA(dc, "(", 1, &open, kTextFormat);

    int userWidth = 0;
    if (!userText_.empty()) {
        SIZE extent = {0, 0};
        GetTextExtentPoint32A(dc, userText_.c_str(), static_cast<int>(userText_.size()), &extent);
        userWidth = extent.cx;
    }
    FilterTextLayout layout = LayoutFilterText(rect_, extensionRect_, !userText_.empty(), userWidth);
    const std::string& list = userText_.empty() ? extensionText_ : userText_;
    DrawTextA(dc, list.c_str(), -1, &layout.text, kTextFormat);
    DrawTextA(dc, ")", 1, &layout.bracket, kTextFormat | DT_RIGHT);
    return 0;
}

int UIFilterTypeItem::OnMouseLBtnDown(WPARAM, LPARAM lParam)
{
    // The message's own position: the cursor may have moved since it was queued.
    const POINT cursor = CursorFromLParam(lParam);
    RECT picture = checkPictureRect_;
    InflateRect(&picture, 2, 2);
    InvalidateSelf();
    if (PtInRect(&picture, cursor)) {
        checked_ = !checked_;
        PostCommand(1);
        return 0;
    }
    selected_ = 1;
    PostCommand(0);
    return 1;
}

} // namespace UiCtrl
