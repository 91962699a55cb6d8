// uikit/widget/UIPicButton.cpp
#include "uikit/widget/UIPicButton.h"

#include "app/ResourceHelper.h"
#include "uikit/widget/DcTextState.h"
#include "uikit/widget/LayoutAttr.h"
#include "uikit/widget/WidgetGeometry.h"
#include "uikit/widget/WidgetSupport.h"

namespace UiCtrl {

bool UIPicButton::LoadFromXml(HWND owner, int id, int left, int top, int right, int bottom,
                              const TiXmlElement* element)
{
    StoreFrame(owner, id, left, top, right, bottom);
    if (!element)
        return false;
    LoadPictures(ReadIntAttr(element, "normal"), ReadIntAttr(element, "over"),
                 ReadIntAttr(element, "click"), ReadIntAttr(element, "disable"));
    return true;
}

void UIPicButton::LoadPictures(int normal, int over, int click, int disable)
{
    const int ids[4] = {normal, over, click, disable};
    for (int i = 0; i < 4; ++i)
        pictures_[i] = LoadBitmapPicture(ids[i]);
}

int UIPicButton::Draw(HDC dc)
{
    if (!visible_)
        return 0;
    DcTextState saved(dc);
    IPicture* picture = pictures_[PictureIndexForState(state_, enabled_)];
    ResourceHelper::Instance().DrawPicture(dc, picture, rect_.left, rect_.top, rect_.right,
                                           rect_.bottom, 0xFFFFFF);
    return 0;
}

int UIPicButton::OnMouseLBtnUp(WPARAM, LPARAM)
{
    if (enabled_ && visible_) {
        state_ = kStateHover;
        PostCommand(0);
    }
    return 0;
}

} // namespace UiCtrl
