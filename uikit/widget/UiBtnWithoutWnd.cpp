// uikit/widget/UiBtnWithoutWnd.cpp
#include "uikit/widget/UiBtnWithoutWnd.h"

#include "app/LangString.h"
#include "app/ResourceHelper.h"
#include "uikit/widget/DcTextState.h"
#include "uikit/widget/LayoutAttr.h"
#include "uikit/widget/WidgetGeometry.h"
#include "uikit/widget/WidgetSupport.h"

namespace UiCtrl {

namespace {

struct DefaultSet {
    int a[4];   // normal, hover, pressed, disabled
    int b[4];
    int marker;
};

// The default bitmaps of each style; style 2 shares the set of style 0.
const DefaultSet& DefaultsFor(int style)
{
    static const DefaultSet wide = {{385, 384, 386, 383}, {532, 531, 533, 530}, 532};
    static const DefaultSet plain = {{204, 203, 205, 202}, {200, 199, 201, 202}, 350};
    return style == 1 ? wide : plain;
}

const COLORREF kWhite = 0xFFFFFF;
const COLORREF kDisabledText = 0xBEBEBE;

} // namespace

UiBtnWithoutWnd::UiBtnWithoutWnd(int style) : style_(NormaliseButtonStyle(style)) {}

bool UiBtnWithoutWnd::LoadFromXml(HWND owner, int id, int left, int top, int right, int bottom,
                                  const TiXmlElement* element)
{
    StoreFrame(owner, id, left, top, right, bottom);
    if (!element)
        return false;
    caption_ = GetLangString(ReadTextAttr(element, "caption").c_str());
    default_ = ReadIntAttr(element, "default");
    const int normal = ReadIntAttr(element, "normal");
    const int over = ReadIntAttr(element, "over");
    if (normal && over) {
        own_[0] = LoadBitmapPicture(normal);
        own_[1] = LoadBitmapPicture(over);
        own_[2] = LoadBitmapPicture(ReadIntAttr(element, "click"));
        own_[3] = LoadBitmapPicture(ReadIntAttr(element, "disable"));
    }
    const char* names[4] = {"nColor", "hColor", "pColor", "dColor"};
    for (int i = 0; i < 4; ++i)
        colours_[i] = static_cast<COLORREF>(ReadIntAttr(element, names[i])) & 0x00FFFFFF;
    return true;
}

UiBtnWithoutWnd::Look UiBtnWithoutWnd::ChooseLook(int state) const
{
    if (state < 0 || state > 3)
        state = 0;
    const DefaultSet& set = DefaultsFor(style_);
    IPicture* setANormal = LoadBitmapPicture(set.a[0]);
    IPicture* marker = LoadBitmapPicture(set.marker);
    Look look;
    if (style_ == 1 || setANormal == marker) {
        look.picture = own_[state] ? own_[state] : LoadBitmapPicture(set.b[state]);
        look.textColour = state == kStateDisabled ? kDisabledText : kWhite;
        look.fontWeight = 600;
        return look;
    }
    look.picture = own_[state] ? own_[state] : LoadBitmapPicture(set.a[state]);
    if (state == kStateDisabled && style_ == 0)
        look.picture = LoadBitmapPicture(set.a[3]);
    look.textColour = colours_[state] ? colours_[state] : kWhite;
    look.fontWeight = 500;
    return look;
}

void UiBtnWithoutWnd::DrawSkin(HDC dc, IPicture* picture)
{
    ResourceHelper& res = ResourceHelper::Instance();
    const int width = rect_.right - rect_.left, height = rect_.bottom - rect_.top;
    if (ButtonSkinStretches(style_, width)) {
        res.DrawPicture(dc, picture, rect_.left, rect_.top, rect_.right, rect_.bottom, 0);
        return;
    }
    if (!picture)
        return;
    const SIZE skin = ButtonSkinSize(style_);
    // A button taller than its skin gets the skin stretched to its height: copying rows from
    // below the skin's bitmap would leave black bands.
    const int skinHeight = height > skin.cy ? height : skin.cy;
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = memory ? CreateCompatibleBitmap(dc, skin.cx, skinHeight) : nullptr;
    if (bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        res.DrawPicture(memory, picture, 0, 0, skin.cx, skinHeight, 0);
        for (const SliceCopy& copy : ThreeSliceCopies(rect_.left, rect_.right, skin.cx))
            BitBlt(dc, copy.destX, rect_.top, copy.width, height, memory, copy.srcX, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    if (memory)
        DeleteDC(memory);
}

int UiBtnWithoutWnd::Draw(HDC dc)
{
    if (!visible_)
        return 0;
    if (!enabled_)
        state_ = kStateDisabled;
    DcTextState saved(dc);
    const Look look = ChooseLook(state_);
    DrawSkin(dc, look.picture);
    RECT text = rect_;
    if (colours_[0])
        OffsetRect(&text, 20, 0);
    saved.Font(ResourceHelper::Instance().GetFont(style_ == 2 ? 30 : 16, look.fontWeight, false));
    saved.Colour(look.textColour);
    DrawTextA(dc, caption_.c_str(), -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    return 0;
}

int UiBtnWithoutWnd::OnMouseLBtnUp(WPARAM, LPARAM)
{
    if (enabled_)
        PostCommand(0);
    return 0;
}

} // namespace UiCtrl
