// uikit/widget/UiItemFactory.h
// Layout type -> widget class: 2 to 11 make the ten widgets, anything else makes nothing.
#pragma once
#include "uikit/widget/UiItem.h"

namespace UiCtrl {

// A new widget of the layout type, or null for a type outside 2 to 11. userDefine is the
// element's "dUserDefine" (the push button's style).
UiItem* CreateUiItem(int type, int userDefine);

} // namespace UiCtrl
