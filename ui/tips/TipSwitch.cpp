// ui/tips/TipSwitch.cpp
#include "ui/tips/TipSwitch.h"

#include "app/Settings.h"
#include "uikit/widget/UiCheckBtnWithoutWnd.h"
#include "uikit/widget/UiImgCheckBtn.h"

const char* TipSwitchValue(bool dontShowAgain)
{
    return dontShowAgain ? "0" : "1";
}

bool StoreTipSwitch(const char* key, bool dontShowAgain)
{
    return WriteSettingText(key, TipSwitchValue(dontShowAgain));
}

bool IsItemChecked(UiCtrl::UiItem* item)
{
    if (auto* image = dynamic_cast<UiCtrl::UiImgCheckBtn*>(item))
        return image->IsChecked();
    if (auto* tile = dynamic_cast<UiCtrl::UiCheckBtnWithoutWnd*>(item))
        return tile->IsChecked();
    return false;
}
