// uikit/widget/CaptionedItem.cpp
#include "uikit/widget/CaptionedItem.h"

#include "app/LangString.h"

namespace UiCtrl {

bool CaptionedItem::ReloadText()
{
    if (langKey_.empty())
        return false;
    caption_ = GetLangString(langKey_.c_str());
    return true;
}

} // namespace UiCtrl
