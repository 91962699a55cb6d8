// mfc/Dialog.cpp
#include "mfc/Dialog.h"
#include "mfc/TempObjects.h"
#include "mfc/WinApp.h"
#include "mfc/WndCreation.h"
#include <atomic>
#include <map>

IMPLEMENT_DYNAMIC(CDialog, CWnd)

namespace {

std::atomic<int> g_runningModalLoops(0);

std::map<UINT, CDialogTemplate>& Registry()
{
    static std::map<UINT, CDialogTemplate>* registry = new std::map<UINT, CDialogTemplate>;
    return *registry;
}

// Our window procedure answers every message first; what reaches the dialog manager's
// default handling asks this procedure only as a formality.
INT_PTR CALLBACK DialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

// Who takes the activation when a modal dialog ends: the window active before it when that
// can still take input, else its owner when that can; a disabled window never (another box
// still runs over it).
HWND WindowToActivateAfter(HWND dialog, HWND previousActive, HWND owner)
{
    for (HWND candidate : {previousActive, owner}) {
        if (candidate && candidate != dialog && ::IsWindow(candidate) &&
            ::IsWindowEnabled(candidate) && ::IsWindowVisible(candidate))
            return candidate;
    }
    return nullptr;
}

} // namespace

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_MESSAGE(WM_INITDIALOG, &CDialog::HandleInitDialog)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog() {}

CDialog::CDialog(UINT templateId, CWnd* parent)
    : m_nIDHelp(templateId), m_lpszTemplateName(MAKEINTRESOURCEA(templateId)), m_pParentWnd(parent)
{
}

CDialog::CDialog(LPCSTR templateName, CWnd* parent) : m_lpszTemplateName(templateName), m_pParentWnd(parent)
{
}

int CDialog::RunningModalLoops()
{
    return g_runningModalLoops.load();
}

void CDialog::RegisterTemplate(UINT templateId, const CDialogTemplate& dialogTemplate)
{
    Registry()[templateId] = dialogTemplate;
    Registry()[templateId].GetTemplate();
}

const DLGTEMPLATE* CDialog::ResolveTemplate() const
{
    if (m_indirectTemplate)
        return m_indirectTemplate;
    if (m_lpszTemplateName && IS_INTRESOURCE(m_lpszTemplateName)) {
        auto it = Registry().find((UINT)(UINT_PTR)m_lpszTemplateName);
        if (it != Registry().end())
            return it->second.GetTemplate();
    }
    if (m_lpszTemplateName) {
        HMODULE module = GetModuleHandleA(nullptr);
        if (HRSRC found = FindResourceA(module, m_lpszTemplateName, (LPCSTR)RT_DIALOG))
            if (HGLOBAL loaded = LoadResource(module, found))
                return (const DLGTEMPLATE*)LockResource(loaded);
    }
    static CDialogTemplate* fallback = new CDialogTemplate;
    return fallback->GetTemplate();
}

HWND CDialog::CreateFromTemplate(const DLGTEMPLATE* dialogTemplate, HWND parent)
{
    HWND hWnd;
    {
        AfxCreationScope scope(this);
        hWnd = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), dialogTemplate, parent, DialogProc,
                                          (LPARAM)this);
    }
    if (!hWnd)
        ForgetFailedCreation();
    if (hWnd && m_hWnd != hWnd)
        return nullptr; // not ours: cannot happen unless the hook failed
    return hWnd;
}

BOOL CDialog::InitModalIndirect(const DLGTEMPLATE* dialogTemplate, CWnd* parent)
{
    m_indirectTemplate = dialogTemplate;
    m_pParentWnd = parent;
    return dialogTemplate != nullptr;
}

INT_PTR CDialog::DoModal()
{
    if (m_hWnd)
        return -1;
    const DLGTEMPLATE* dialogTemplate = ResolveTemplate();

    // The owner: the given parent's top-level window, else the main window.
    HWND owner = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : nullptr;
    if (!owner) {
        CWnd* main = AfxGetMainWnd();
        if (main && main != this)
            owner = main->GetSafeHwnd();
    }
    if (owner)
        owner = GetAncestor(owner, GA_ROOT);
    // The window active before this one is given back its activation at the end, unless it
    // is a disabled owner: activating a disabled window raises it above the box that disabled
    // it, and without a window manager that box then gets no input at all.
    HWND previousActive = ::GetActiveWindow();
    bool enableOwner = false;
    if (owner && ::IsWindowEnabled(owner)) {
        ::EnableWindow(owner, FALSE);
        enableOwner = true;
    }

    m_inModalLoop = true;
    ++g_runningModalLoops;
    m_continueModal = true;
    m_modalResult = -1;
    HWND hWnd = CreateFromTemplate(dialogTemplate, owner);
    if (hWnd) {
        TempObjects::LoopScope loop;
        if (m_continueModal && m_hWnd == hWnd && !::IsWindowVisible(hWnd))
            ::ShowWindow(hWnd, SW_SHOWNORMAL);
        // A dialog destroyed from inside its loop ends the loop (m_hWnd goes at WM_NCDESTROY).
        while (m_continueModal && m_hWnd == hWnd) {
            MSG peek;
            if (TempObjects::LoopScope::IsOutermost() && !PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE))
                AfxDeleteTempObjects();
            MSG quit = {};
            if (!AfxPumpMessage(&quit)) {
                PostQuitMessage((int)quit.wParam);
                m_modalResult = -1;
                break;
            }
        }
    }
    m_inModalLoop = false;
    --g_runningModalLoops;
    m_continueModal = false;

    // The owner comes back first, so that activation returns to it, then the dialog goes.
    if (enableOwner)
        ::EnableWindow(owner, TRUE);
    if (hWnd && m_hWnd == hWnd) {
        bool wasActive = ::GetActiveWindow() == hWnd;
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        if (wasActive) {
            if (HWND next = WindowToActivateAfter(hWnd, previousActive, owner))
                ::SetActiveWindow(next);
        }
        DestroyWindow();
    }
    return m_modalResult;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent)
{
    m_lpszTemplateName = MAKEINTRESOURCEA(templateId);
    m_nIDHelp = templateId;
    m_pParentWnd = parent;
    return CreateIndirect(ResolveTemplate(), parent);
}

BOOL CDialog::CreateIndirect(const DLGTEMPLATE* dialogTemplate, CWnd* parent)
{
    if (m_hWnd || !dialogTemplate)
        return FALSE;
    m_pParentWnd = parent;
    return CreateFromTemplate(dialogTemplate, parent ? parent->m_hWnd : nullptr) != nullptr;
}

void CDialog::EndDialog(int result)
{
    m_modalResult = result;
    if (m_inModalLoop) {
        m_continueModal = false;
        // Wakes the loop when this was called from a message sent by another thread.
        if (m_hWnd)
            ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
    } else if (m_hWnd) {
        ::ShowWindow(m_hWnd, SW_HIDE);
    }
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM)
{
    return OnInitDialog();
}

BOOL CDialog::OnInitDialog()
{
    return TRUE;
}

void CDialog::OnOK()
{
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* msg)
{
    if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST && m_hWnd &&
        (msg->hwnd == m_hWnd || ::IsChild(m_hWnd, msg->hwnd)))
        return ::IsDialogMessageA(m_hWnd, msg);
    return FALSE;
}

BOOL CDialog::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    if (CWnd::OnCmdMsg(id, code, extra, handlerInfo))
        return TRUE;
    CWinApp* app = AfxGetApp();
    if (app && m_hWnd && !(GetStyle() & WS_CHILD))
        return app->OnCmdMsg(id, code, extra, handlerInfo);
    return FALSE;
}
