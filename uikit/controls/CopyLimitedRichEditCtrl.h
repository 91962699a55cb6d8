// uikit/controls/CopyLimitedRichEditCtrl.h
// A rich edit whose text cannot be copied out: no keys while Ctrl or Shift is down, no mouse
// selection, and no copy or cut requests.
#pragma once
#include "mfc/Mfc.h"

// Whether the control drops message (keys are dropped while Ctrl or Shift is down).
bool CopyLimitedDrops(UINT message, bool ctrlOrShiftDown);

class CCopyLimitedRichEditCtrl : public CRichEditCtrl
{
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
