// uikit/widget/LayoutLoader.cpp
#include "uikit/widget/LayoutLoader.h"

#include <tinyxml.h>

#include "uikit/widget/LayoutAttr.h"

namespace UiCtrl {

int LoadItemsFromElement(const TiXmlElement* window, HWND owner, UiItemMap& items,
                         const UiItemMaker& make)
{
    if (!window)
        return -1;
    for (const TiXmlElement* child = window->FirstChildElement(); child;
         child = child->NextSiblingElement()) {
        const int id = ReadIntAttr(child, "id");
        if (id == 0)
            continue;
        const int left = ReadIntAttr(child, "left");
        const int top = ReadIntAttr(child, "top");
        const int right = ReadIntAttr(child, "right");
        const int bottom = ReadIntAttr(child, "bottom");
        const int userDefine = ReadIntAttr(child, "dUserDefine");
        const int type = ReadIntAttr(child, "type");
        UiItem* item = make(type, userDefine);
        if (!item)
            continue;
        item->LoadFromXml(owner, id, left, top, right, bottom, child);
        item->SetType(type);
        if (HasAttr(child, "caption"))
            item->SetLangKey(ReadTextAttr(child, "caption"));
        UiItem*& slot = items[id];
        delete slot;
        slot = item;
    }
    return 0;
}

} // namespace UiCtrl
