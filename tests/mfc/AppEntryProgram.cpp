// tests/mfc/AppEntryProgram.cpp
// A program with no main(): the library's WinMain runs its application object. Its main
// dialog runs modally inside InitInstance, as the real program's does; the exit code is 0
// when every step happened in order (ctest reads it).
#include "mfc/Mfc.h"
#include <string>

namespace {

std::string s_steps;

class MainDialog : public CDialog
{
public:
    BOOL OnInitDialog() override
    {
        s_steps += "init ";
        SetTimer(1, 30);
        return CDialog::OnInitDialog();
    }

protected:
    void OnTimer(UINT_PTR)
    {
        KillTimer(1);
        s_steps += AfxGetMainWnd() == this ? "main " : "notmain ";
        s_steps += ::GetWindow(m_hWnd, GW_OWNER) ? "owned " : "unowned ";
        EndDialog(IDOK);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(MainDialog, CDialog)
    ON_WM_TIMER()
END_MESSAGE_MAP()

class EntryApp : public CWinApp
{
public:
    BOOL InitInstance() override
    {
        CWinApp::InitInstance();
        MainDialog dlg;
        m_pMainWnd = &dlg;
        INT_PTR result = dlg.DoModal();
        s_steps += result == IDOK ? "ok " : "notok ";
        s_steps += m_pMainWnd == nullptr ? "cleared " : "kept ";
        // Non-zero: the framework's loop runs and meets the WM_QUIT that the main
        // window's destruction posted.
        return TRUE;
    }
    int ExitInstance() override
    {
        s_steps += "exit";
        return s_steps == "init main unowned ok cleared exit" ? 0 : 1;
    }
} s_app;

} // namespace
