// mfc/WinApp.cpp
#include "mfc/WinApp.h"
#include "mfc/TempObjects.h"

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

namespace {
CWinApp* s_app;
}

CWinApp::CWinApp(LPCSTR appName) : m_pszAppName(appName)
{
    s_app = this;
    m_hInstance = GetModuleHandleA(nullptr);
}

CWinApp::~CWinApp()
{
    if (s_app == this)
        s_app = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return 0;
}

BOOL CWinApp::OnIdle(LONG)
{
    AfxDeleteTempObjects();
    return FALSE;
}

BOOL CWinApp::PreTranslateMessage(MSG* msg)
{
    return CWnd::WalkPreTranslateTree(nullptr, msg);
}

int CWinApp::Run()
{
    TempObjects::LoopScope loop;
    MSG quit = {};
    for (LONG idle = 0;;) {
        MSG peek;
        while (!PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE))
            if (!OnIdle(idle++))
                break;
        if (!AfxPumpMessage(&quit))
            break;
        idle = 0;
    }
    int code = ExitInstance();
    return code ? code : (int)quit.wParam;
}

BOOL AfxPumpMessage(MSG* quit)
{
    MSG msg;
    if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
        if (quit)
            *quit = msg;
        return FALSE;
    }
    CWinApp* app = AfxGetApp();
    BOOL taken = app ? app->PreTranslateMessage(&msg) : CWnd::WalkPreTranslateTree(nullptr, &msg);
    if (!taken) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return TRUE;
}

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

CWinApp* AfxGetApp()
{
    return s_app;
}

CWnd* AfxGetMainWnd()
{
    return s_app ? s_app->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetInstanceHandle()
{
    return GetModuleHandleA(nullptr);
}

HINSTANCE AfxGetResourceHandle()
{
    return GetModuleHandleA(nullptr);
}

int AfxMessageBox(LPCSTR text, UINT type)
{
    CWnd* main = AfxGetMainWnd();
    return MessageBoxA(main ? main->m_hWnd : nullptr, text, s_app ? s_app->m_pszAppName : nullptr, type);
}

int AfxWinMain(HINSTANCE instance, LPSTR cmdLine, int cmdShow)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return -1;
    app->m_hInstance = instance;
    app->m_lpCmdLine = cmdLine;
    app->m_nCmdShow = cmdShow;
    if (!app->InitInstance()) {
        if (app->m_pMainWnd)
            app->m_pMainWnd->DestroyWindow();
        return app->ExitInstance();
    }
    return app->Run();
}
