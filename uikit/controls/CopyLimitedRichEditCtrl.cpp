// uikit/controls/CopyLimitedRichEditCtrl.cpp
#include "uikit/controls/CopyLimitedRichEditCtrl.h"

bool CopyLimitedDrops(UINT message, bool ctrlOrShiftDown)
{
    switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
        return ctrlOrShiftDown;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    // Copy and cut also come as messages (from the context menu, other programs, the
    // accessibility tools): without these the keyboard rules alone would not stop a copy.
    case WM_COPY:
    case WM_CUT:
        return true;
    default:
        return false;
    }
}

LRESULT CCopyLimitedRichEditCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    bool modifiers = (GetAsyncKeyState(VK_CONTROL) & 0x8000) || (GetAsyncKeyState(VK_SHIFT) & 0x8000);
    if (CopyLimitedDrops(message, modifiers))
        return 0;
    return CRichEditCtrl::WindowProc(message, wParam, lParam);
}
