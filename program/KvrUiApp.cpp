// program/KvrUiApp.cpp
#include "program/KvrUiApp.h"

#include <commctrl.h>

#include "app/CrashHandler.h"
#include "app/LangString.h"
#include "app/Language.h"
#include "app/ResourceHelper.h"
#include "app/UsageReport.h"
#include "program/SingleInstance.h"
#include "ui/about/ProductVersion.h"
#include "ui/main/KvrUiDlg.h"
#include "ui/main/MainDialogClass.h"
#include "uikit/dialog/KvrMessageBox.h"

const char* const MainWindowTitle = "Duplicate File Finder";

BEGIN_MESSAGE_MAP(CKVRUIApp, CWinApp)
    ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

CKVRUIApp::CKVRUIApp() : CWinApp(MainWindowTitle) {}

BOOL CKVRUIApp::InitInstance()
{
    // A second copy finds the first by this class.
    RegisterMainDialogClass();

    INITCOMMONCONTROLSEX controls = {8, 0xFF};
    InitCommonControlsEx(&controls);

    CWinApp::InitInstance();
    AfxEnableControlContainer();

    char languageName[kLanguageNameSize] = {};
    GetLanguageFileName(languageName);
    const int languageIndex = GetLanguageIndex();
    SaveLanguageChoice(languageIndex, languageName);
    ResourceHelper::Instance().SetLanguage(languageIndex, languageName);

    if (!CheckSingleInstance())
        return FALSE;

    SetUIFontFace(languageIndex);
    char modulePath[MAX_PATH + 1] = {};
    if (GetModuleFileNameA(nullptr, modulePath, MAX_PATH) < MAX_PATH) {
        std::string copyright;
        GetProductVersion(modulePath, productVersion_, copyright);
    }

    PrepareCrashHandler(MainWindowTitle);

    {
        CKVRUIDlg dialog(nullptr);
        m_pMainWnd = &dialog;
        dialogResult_ = dialog.DoModal();
        // The dialog's window is gone (its end posted WM_QUIT); the object goes next.
        m_pMainWnd = nullptr;
    }

    if (GetUsageObject())
        SendUsageEvent(kUsageExit);
    SpySetText(kUsageTextVersion, productVersion_.c_str());

    // FALSE: the program ends here. A non-zero result would enter the application's message
    // loop with no window left to end it.
    return FALSE;
}

bool CKVRUIApp::CheckSingleInstance()
{
    if (TakeSingleInstanceMutex(kSingleInstanceMutexName))
        return true;
    ShowKvrMessageBox(nullptr, GetLangString("AlreadyRun").c_str(), nullptr, MB_ICONINFORMATION);
    ActivateRunningInstance(kMainDialogClassName);
    return false;
}
