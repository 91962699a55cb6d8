// uikit/dialog/CaptionItem.cpp
#include "uikit/dialog/HomeBaseDialog.h"

#include "app/LangString.h"
#include "app/ResourceHelper.h"

HomeBaseDialog::CaptionItem::CaptionItem(IPicture* normal, IPicture* over, IPicture* click,
                                         IPicture* disable)
    : pictures_{normal, over, click, disable}
{
}

int HomeBaseDialog::CaptionItem::Draw(HDC dc)
{
    if (!IsVisible())
        return 0;
    int state = GetState();
    if (state < UiCtrl::kStateNormal || state > UiCtrl::kStateDisabled)
        state = UiCtrl::kStateNormal;
    if (!IsEnabled() && pictures_[UiCtrl::kStateDisabled])
        state = UiCtrl::kStateDisabled;
    IPicture* picture = pictures_[state] ? pictures_[state] : pictures_[UiCtrl::kStateNormal];
    const RECT& r = Rect();
    return ResourceHelper::Instance().DrawPicture(dc, picture, r.left, r.top, r.right, r.bottom,
                                                  0);
}

bool HomeBaseDialog::CaptionItem::SetState(int state, INT_PTR extra)
{
    UiCtrl::UiItem::SetState(state);
    if (extra)
        Draw(reinterpret_cast<HDC>(extra));
    return true;
}

int HomeBaseDialog::CaptionItem::OnMouseLBtnUp(WPARAM, LPARAM)
{
    if (!IsEnabled())
        return 0;
    PostCommand(0);
    SetState(UiCtrl::kStateHover);
    return 1;
}

bool HomeBaseDialog::CaptionItem::ReloadText()
{
    if (GetLangKey().empty())
        return false;
    return SetName(GetLangString(GetLangKey().c_str()));
}
