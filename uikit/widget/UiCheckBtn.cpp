// uikit/widget/UiCheckBtn.cpp
#include "uikit/widget/UiCheckBtn.h"

#include "app/LangString.h"
#include "app/ResourceHelper.h"
#include "uikit/widget/DcTextState.h"
#include "uikit/widget/LayoutAttr.h"
#include "uikit/widget/WidgetGeometry.h"
#include "uikit/widget/WidgetSupport.h"

namespace UiCtrl {

bool UiCheckBtn::LoadFromXml(HWND owner, int id, int left, int top, int right, int bottom,
                             const TiXmlElement* element)
{
    StoreFrame(owner, id, left, top, right, bottom);
    if (!element)
        return false;
    caption_ = GetLangString(ReadTextAttr(element, "caption").c_str());
    user_ = ReadIntAttr(element, "bUser");
    boxSize_ = ReadIntAttr(element, "nSize");
    return true;
}

int UiCheckBtn::Draw(HDC dc)
{
    if (!visible_)
        return 0;
    DcTextState saved(dc);
    ResourceHelper& res = ResourceHelper::Instance();
    const RECT box = CheckBoxRect(rect_, user_, boxSize_);
    res.DrawPicture(dc, LoadBitmapPicture(on_ ? kCheckedBitmap : kUncheckedBitmap), box.left,
                    box.top, box.right, box.bottom, 0);
    RECT text = rect_;
    text.left = box.right + 8;
    saved.Colour(0xE78500);
    saved.Font(res.GetFont(16, 400, false));
    DrawTextA(dc, caption_.c_str(), -1, &text, 0);
    return 0;
}

} // namespace UiCtrl
