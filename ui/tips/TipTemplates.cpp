// ui/tips/TipTemplates.cpp
#include "ui/tips/TipTemplates.h"

#include "mfc/Mfc.h"

namespace {
bool HasOwnTemplate(unsigned id)
{
    return FindResourceA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), (LPCSTR)RT_DIALOG);
}
} // namespace

void RegisterTipDialogTemplates()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    if (!HasOwnTemplate(kPlainTipTemplateId))
        CDialog::RegisterTemplate(kPlainTipTemplateId,
                                  CDialogTemplate(WS_POPUP | WS_CLIPCHILDREN, 300, 60, ""));
    if (!HasOwnTemplate(kWaitCoverTemplateId)) {
        CDialogTemplate cover(DS_MODALFRAME | WS_POPUP | WS_CAPTION, 182, 69, "Dialog", nullptr,
                              WS_EX_TOOLWINDOW);
        cover.SetFont(8, "MS Shell Dlg");
        cover.AddControl("STATIC", "Please wait...", 0xFFFF, WS_CHILD | WS_VISIBLE | SS_CENTER,
                         10, 28, 162, 12);
        CDialog::RegisterTemplate(kWaitCoverTemplateId, cover);
    }
}
