// uikit/dialog/SkinDialogTemplate.cpp
#include "uikit/dialog/SkinDialogTemplate.h"

#include "mfc/Mfc.h"
#include "uikit/dialog/HomeBaseDialog.h"

void RegisterSkinDialogTemplates()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    const UINT id = HomeBaseDialog::kPopupTemplateId;
    if (FindResourceA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), (LPCSTR)RT_DIALOG))
        return;
    // No WS_CAPTION: the system would paint its own caption over ours on WM_SETTEXT.
    CDialog::RegisterTemplate(id, CDialogTemplate(WS_POPUP | WS_CLIPCHILDREN, 280, 120, ""));
}
