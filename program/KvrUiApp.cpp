// program/KvrUiApp.cpp
#include "program/KvrUiApp.h"

#include <commctrl.h>

#include "app/CrashHandler.h"
#include "app/EnumerationUsageSink.h"
#include "app/AppFolder.h"
#include "app/LangString.h"
#include "app/Language.h"
#include "app/LanguageFile.h"
#include "app/ProgramFilePath.h"
#include "app/ResourceHelper.h"
#include "app/ResourceLayout.h"
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

    INITCOMMONCONTROLSEX controls = {sizeof(controls), 0xFF};
    InitCommonControlsEx(&controls);

    CWinApp::InitInstance();
    AfxEnableControlContainer();

    char languageName[kLanguageNameSize] = {};
    GetLanguageFileName(languageName);
    SaveLanguageChoice(GetLanguageIndex(), languageName);
    // A broken translation gives way to English; what "English.dat" lacks, the built-in
    // English gives.
    const UsableLanguage language = PickUsableLanguage(GetAppFolder(), GetLanguageIndex(), languageName);
    ResourceHelper::Instance().SetLanguage(language.index, language.fileName.c_str());

    if (LoadResourceLayout() == XmlFileState::TooDeep) {
        const std::string message = XmlTooDeepMessage(ResourceLayoutPath());
        MessageBoxA(nullptr, message.c_str(), MainWindowTitle, MB_ICONERROR | MB_SETFOREGROUND);
        return FALSE;
    }

    if (!CheckSingleInstance())
        return FALSE;

    SetUIFontFace(language.index);
    char modulePath[MAX_PATH + 1] = {};
    if (GetModuleFileNameA(nullptr, modulePath, MAX_PATH) < MAX_PATH) {
        std::string copyright;
        GetProductVersion(modulePath, productVersion_, copyright);
    }

    PrepareCrashHandler(MainWindowTitle);
    // Before any window can start the disk enumeration.
    ConnectEnumerationReports();

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
