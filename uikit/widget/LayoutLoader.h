// uikit/widget/LayoutLoader.h
// Turns the child elements of one window element of "Resource.xml" into widgets keyed by id.
#pragma once
#include <functional>

#include "uikit/widget/UiItem.h"

namespace UiCtrl {

// Makes the widget for an element's type and "dUserDefine"; null skips the element.
using UiItemMaker = std::function<UiItem*(int type, int userDefine)>;

// For each child in document order with a non-zero "id": make the widget, load it from the
// element with owner, store its type and its "caption" as language key, and put it under its
// id. A widget already under that id is deleted, not leaked. Returns -1 for a null window.
int LoadItemsFromElement(const TiXmlElement* window, HWND owner, UiItemMap& items,
                         const UiItemMaker& make);

} // namespace UiCtrl
