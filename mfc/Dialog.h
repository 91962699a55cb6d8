// mfc/Dialog.h
// CDialog: modal (DoModal) and modeless (Create) dialogs from an in-memory template.
//
// A template id is looked up among the templates registered with RegisterTemplate, then
// among the program's RT_DIALOG resources; without either a plain pop-up template is used.
//
// DoModal runs its own loop: every message goes through the PreTranslateMessage chain from
// its window up to the dialog (the dialog's own one calls IsDialogMessage last), so a
// dialog can swallow Esc and Enter. A dialog with no parent is owned by the main window
// (AfxGetMainWnd()); the owner is disabled while the dialog runs and enabled again before
// the dialog is destroyed. EndDialog ends the loop; a later EndDialog replaces the result.
// When the dialog ends, the window that was active before it takes the activation back, or
// else its owner, but never a window that is still disabled (another box runs over it).
#pragma once
#include "mfc/DialogTemplate.h"
#include "mfc/Wnd.h"

class CDialog : public CWnd
{
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    explicit CDialog(LPCSTR templateName, CWnd* parent = nullptr);

    // IDOK, IDCANCEL or EndDialog's value; -1 when the dialog could not be created or the
    // loop met WM_QUIT (which is posted again for the outer loop).
    virtual INT_PTR DoModal();
    BOOL InitModalIndirect(const DLGTEMPLATE* dialogTemplate, CWnd* parent = nullptr);
    // Modeless.
    BOOL Create(UINT templateId, CWnd* parent = nullptr);
    BOOL CreateIndirect(const DLGTEMPLATE* dialogTemplate, CWnd* parent = nullptr);
    // Modal: ends the loop with result. Modeless: hides the dialog (destroy it to end it).
    void EndDialog(int result);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual BOOL PreTranslateMessage(MSG* msg);
    // Commands the dialog does not handle go on to the application object.
    virtual BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo);

    BOOL IsInModalLoop() const { return m_inModalLoop; }
    // Modal loops of this process that run now (nested ones included).
    static int RunningModalLoops();
    void SetDefID(UINT id) { SendMessage(DM_SETDEFID, id); }
    DWORD GetDefID() const { return (DWORD)SendMessage(DM_GETDEFID); }
    void NextDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
    void PrevDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 1, 0); }
    void GotoDlgCtrl(CWnd* control) { if (control) ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, (WPARAM)control->m_hWnd, 1); }
    void MapDialogRect(LPRECT rect) const { ::MapDialogRect(m_hWnd, rect); }

    // Makes templateId resolve to this template for every dialog of the process.
    static void RegisterTemplate(UINT templateId, const CDialogTemplate& dialogTemplate);

    UINT m_nIDHelp = 0;
    LPCSTR m_lpszTemplateName = nullptr;
    CWnd* m_pParentWnd = nullptr;

protected:
    LRESULT HandleInitDialog(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    const DLGTEMPLATE* ResolveTemplate() const;
    HWND CreateFromTemplate(const DLGTEMPLATE* dialogTemplate, HWND parent);

    const DLGTEMPLATE* m_indirectTemplate = nullptr;
    bool m_inModalLoop = false;
    bool m_continueModal = false;
    int m_modalResult = -1;
};
