// ui/tips/TipSwitch.h
// The "do not show again" switches of the tips ("ShowTip", "ShowWarm" in "Config.dat").
#pragma once

namespace UiCtrl {
class UiItem;
}

// "0" (do not show again) when the box is ticked, else "1".
const char* TipSwitchValue(bool dontShowAgain);
// Writes the switch; false when the settings file could not be written.
bool StoreTipSwitch(const char* key, bool dontShowAgain);
// The tick of a check widget (layout types 2 and 10); false for anything else.
bool IsItemChecked(UiCtrl::UiItem* item);
