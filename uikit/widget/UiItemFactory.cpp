// uikit/widget/UiItemFactory.cpp
#include "uikit/widget/UiItemFactory.h"

#include "uikit/widget/UIFilterTypeItem.h"
#include "uikit/widget/UIImgButton.h"
#include "uikit/widget/UILinkItem.h"
#include "uikit/widget/UIPicButton.h"
#include "uikit/widget/UIStaticItem.h"
#include "uikit/widget/UiBtnWithoutWnd.h"
#include "uikit/widget/UiCheckBtn.h"
#include "uikit/widget/UiCheckBtnWithoutWnd.h"
#include "uikit/widget/UiImgCheckBtn.h"
#include "uikit/widget/UiImgTextBtn.h"

namespace UiCtrl {

UiItem* CreateUiItem(int type, int userDefine)
{
    switch (type) {
    case 2: return new UiCheckBtnWithoutWnd();
    case 3: return new UiBtnWithoutWnd(userDefine);
    case 4: return new UILinkItem();
    case 5: return new UIStaticItem();
    case 6: return new UIPicButton();
    case 7: return new UiCheckBtn();
    case 8: return new UIFilterTypeItem();
    case 9: return new UIImgButton();
    case 10: return new UiImgCheckBtn();
    case 11: return new UiImgTextBtn();
    default: return nullptr;
    }
}

} // namespace UiCtrl
