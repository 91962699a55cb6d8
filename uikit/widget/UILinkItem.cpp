// uikit/widget/UILinkItem.cpp
#include "uikit/widget/UILinkItem.h"

#include <shellapi.h>

#include "app/LangString.h"
#include "app/ResourceHelper.h"
#include "app/TextCase.h"
#include "app/WebAddress.h"
#include "app/WriteLog.h"
#include "uikit/widget/DcTextState.h"
#include "uikit/widget/LayoutAttr.h"
#include "uikit/widget/WidgetGeometry.h"
#include "uikit/widget/WidgetSupport.h"

namespace UiCtrl {

namespace {
const int kFontHeight = 16, kFontWeight = 500;
const COLORREF kDefaultOver = 0xFFA200, kPressedColour = 0x985404;

HCURSOR HandCursor()
{
    static HCURSOR hand = LoadCursor(nullptr, IDC_HAND);
    return hand;
}
} // namespace

UILinkItem::UILinkItem()
{
    hoverCursor_ = HandCursor();
}

UILinkItem::~UILinkItem()
{
    RestoreCursor();
}

bool UILinkItem::LoadFromXml(HWND owner, int id, int left, int top, int right, int bottom,
                             const TiXmlElement* element)
{
    StoreFrame(owner, id, left, top, right, bottom);
    if (!element)
        return false;
    ReadColorAttr(element, "color", colour_);
    ReadColorAttr(element, "over", overColour_);
    caption_ = GetLangString(ReadTextAttr(element, "caption").c_str());
    link_ = GetLangString(ReadTextAttr(element, "url").c_str());
    maxRight_ = ReadIntAttr(element, "MaxRight");
    if (caption_.empty())
        caption_ = link_;
    FitWidth(left);
    return true;
}

void UILinkItem::FitWidth(int left)
{
    RECT r = rect_;
    r.left = left;
    rect_ = LinkFitRect(r, MeasureTextWidth(caption_, kFontHeight, kFontWeight, true), maxRight_);
}

int UILinkItem::Draw(HDC dc)
{
    if (!visible_)
        return 0;
    DcTextState saved(dc);
    if (colour_)
        saved.Colour(colour_);
    if (state_ == kStateHover)
        saved.Colour(overColour_ ? overColour_ : kDefaultOver);
    else if (state_ == kStatePressed)
        saved.Colour(kPressedColour);
    saved.Font(ResourceHelper::Instance().GetFont(kFontHeight, kFontWeight, true));
    RECT r = rect_;
    DrawTextA(dc, caption_.c_str(), -1, &r, DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    return 0;
}

void UILinkItem::RestoreCursor()
{
    if (!handShown_)
        return;
    handShown_ = false;
    if (GetCursor() == HandCursor())
        SetCursor(savedCursor_);
}

bool UILinkItem::SetState(int state, INT_PTR extra)
{
    // A pressed link that the cursor leaves goes straight from pressed to normal: the
    // cursor is given back whenever the link stops being under the cursor.
    const bool under = state == kStateHover || state == kStatePressed;
    if (under && !handShown_) {
        savedCursor_ = SetCursor(HandCursor());
        handShown_ = true;
    } else if (!under) {
        RestoreCursor();
    }
    return UiItem::SetState(state, extra);
}

int UILinkItem::OnMouseMove(WPARAM, LPARAM)
{
    if (handShown_)
        SetCursor(HandCursor());
    return 0;
}

bool UILinkItem::IsOpenableLink(const std::string& link)
{
    if (IsWebAddress(link))
        return true;
    const char kMail[] = "mailto:";
    const size_t scheme = sizeof(kMail) - 1;
    return link.size() > scheme && LowerAscii(link.substr(0, scheme)) == kMail;
}

int UILinkItem::OnMouseLBtnUp(WPARAM, LPARAM)
{
    PostCommand(0);
    if (!link_.empty() && IsOpenableLink(link_)) {
        WriteLog("[%s:%d] goto %s\r\n", "UILinkItem::OnMouseLBtnUp", __LINE__, link_.c_str());
        ShellExecuteA(nullptr, "open", link_.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    }
    return 0;
}

bool UILinkItem::ReloadText()
{
    if (langKey_.empty())
        return false;
    caption_ = GetLangString(langKey_.c_str());
    if (caption_.empty())
        caption_ = link_;
    // The new language's caption has its own width.
    FitWidth(rect_.left);
    return true;
}

} // namespace UiCtrl
