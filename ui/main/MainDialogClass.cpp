// ui/main/MainDialogClass.cpp
#include "ui/main/MainDialogClass.h"

#include "mfc/Mfc.h"

BOOL RegisterMainDialogClass()
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA existing = {};
    BOOL registered = GetClassInfoA(instance, kMainDialogClassName, &existing);
    if (!registered) {
        WNDCLASSA dialogClass = {};
        // "#32770": the system dialog class; its procedure is DefDlgProc.
        GetClassInfoA(nullptr, MAKEINTRESOURCEA(0x8002), &dialogClass);
        dialogClass.hInstance = instance;
        dialogClass.lpszClassName = kMainDialogClassName;
        registered = AfxRegisterClass(&dialogClass);
    }
    // The caption is drawn by the dialog itself; the template's caption is a name only.
    CDialog::RegisterTemplate(kMainDialogTemplateId,
                              CDialogTemplate(WS_POPUP | WS_CLIPCHILDREN | WS_MINIMIZEBOX |
                                                  WS_MAXIMIZEBOX | WS_SYSMENU,
                                              800, 480, "DoziredeZozevorur", kMainDialogClassName));
    return registered;
}
