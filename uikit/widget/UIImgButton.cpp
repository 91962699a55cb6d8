// uikit/widget/UIImgButton.cpp
#include "uikit/widget/UIImgButton.h"

#include "app/ResourceHelper.h"
#include "uikit/widget/DcTextState.h"
#include "uikit/widget/LayoutAttr.h"
#include "uikit/widget/WidgetGeometry.h"

namespace UiCtrl {

bool UIImgButton::LoadFromXml(HWND owner, int id, int left, int top, int right, int bottom,
                              const TiXmlElement* element)
{
    StoreFrame(owner, id, left, top, right, bottom);
    if (!element)
        return false;
    LoadImages(ReadTextAttr(element, "normal"), ReadTextAttr(element, "over"),
               ReadTextAttr(element, "click"), ReadTextAttr(element, "disable"));
    return true;
}

void UIImgButton::LoadImages(const std::string& normal, const std::string& over,
                             const std::string& click, const std::string& disable)
{
    images_[0] = LoadSkinFile(normal);
    images_[1] = LoadSkinFile(over);
    images_[2] = LoadSkinFile(click);
    images_[3] = LoadSkinFile(disable);
}

int UIImgButton::Draw(HDC dc)
{
    if (!visible_)
        return 0;
    DcTextState saved(dc);
    const SkinImage& image = images_[PictureIndexForState(state_, enabled_)];
    if (image)
        ResourceHelper::Instance().DrawGdiImage(dc, image.get(), rect_.left, rect_.top);
    return 0;
}

int UIImgButton::OnMouseLBtnUp(WPARAM, LPARAM)
{
    if (enabled_ && visible_) {
        state_ = kStateHover;
        PostCommand(0);
    }
    return 0;
}

} // namespace UiCtrl
