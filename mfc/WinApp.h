// mfc/WinApp.h
// CWinApp: the application object. The program defines one global object of a class derived
// from it; the library's WinMain runs InitInstance and, when that returns non-zero, the
// message loop (Run) until WM_QUIT, then ExitInstance. A dialog-based program runs its main
// dialog modally inside InitInstance; destroying the main window posts WM_QUIT.
#pragma once
#include "mfc/Wnd.h"

#ifndef ID_HELP
#define ID_HELP 0xE146
#endif

class CWinApp : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCSTR appName = nullptr);
    virtual ~CWinApp();

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    virtual int Run();
    // The walk of CWnd::PreTranslateMessage from the message's window up to its top level.
    virtual BOOL PreTranslateMessage(MSG* msg);
    virtual BOOL OnIdle(LONG count);

    // The framework's help command does nothing here: the program opens its own help.
    void OnHelp() {}

    CWnd* m_pMainWnd = nullptr;
    HINSTANCE m_hInstance = nullptr;
    LPSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    LPCSTR m_pszAppName = nullptr;

    DECLARE_MESSAGE_MAP()
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
// ActiveX hosting is not provided; the call is kept for start-up code.
inline void AfxEnableControlContainer() {}
int AfxMessageBox(LPCSTR text, UINT type = MB_OK);
// The program's entry point calls this (WinMain in the library does).
int AfxWinMain(HINSTANCE instance, LPSTR cmdLine, int cmdShow);

// One turn of a message loop: waits for a message, offers it to PreTranslateMessage and
// dispatches it. FALSE on WM_QUIT (which stays consumed).
BOOL AfxPumpMessage(MSG* quit = nullptr);
