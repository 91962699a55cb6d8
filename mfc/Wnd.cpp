// mfc/Wnd.cpp
#include "mfc/Wnd.h"
#include "mfc/TempObjects.h"
#include "mfc/WinApp.h"
#include "mfc/WndCreation.h"
#include "mfc/WndMap.h"
#include <shellapi.h>
#include <set>
#include <string>

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

namespace {

// The message being handled on this thread, for Default() and GetCurrentMessage().
thread_local MSG t_currentMessage;

struct CurrentMessageScope
{
    MSG saved;
    CurrentMessageScope(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
        : saved(t_currentMessage)
    {
        t_currentMessage.hwnd = hWnd;
        t_currentMessage.message = message;
        t_currentMessage.wParam = wParam;
        t_currentMessage.lParam = lParam;
    }
    ~CurrentMessageScope() { t_currentMessage = saved; }
};

} // namespace

void AfxWndAccess::AttachAtCreation(CWnd* wnd, HWND hWnd)
{
    wnd->AttachAtCreation(hWnd);
}

// ---------------------------------------------------------------------------------------
// The one window procedure.

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    WndMap::Entry entry;
    if (!WndMap::Find(hWnd, &entry))
        return DefWindowProcA(hWnd, message, wParam, lParam);
    if (!entry.wnd) {
        // Unsubclassed beneath someone else's procedure: only pass messages on.
        LRESULT r = entry.oldProc ? CallWindowProcA(entry.oldProc, hWnd, message, wParam, lParam)
                                  : DefWindowProcA(hWnd, message, wParam, lParam);
        if (message == WM_NCDESTROY)
            WndMap::Remove(hWnd);
        return r;
    }
    CWnd* wnd = entry.wnd;
    CurrentMessageScope current(hWnd, message, wParam, lParam);
    LRESULT result = wnd->WindowProc(message, wParam, lParam);
    if (message == WM_CREATE && wnd->m_preSubclassPending) {
        wnd->m_preSubclassPending = false;
        if (result != -1)
            wnd->PreSubclassWindow();
    } else if (message == WM_NCDESTROY) {
        wnd->FinishNcDestroy();
    }
    return result;
}

void CWnd::AttachAtCreation(HWND hWnd)
{
    m_hWnd = hWnd;
    WndMap::Add(hWnd, this, nullptr);
    WNDPROC old = (WNDPROC)SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxWndProc);
    if (old != AfxWndProc) {
        m_pfnSuper = old;
        WndMap::SetOldProc(hWnd, old);
    }
    m_preSubclassPending = true;
}

void CWnd::FinishNcDestroy()
{
    HWND hWnd = m_hWnd;
    if ((WNDPROC)GetWindowLongPtrA(hWnd, GWLP_WNDPROC) == AfxWndProc && m_pfnSuper)
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
    WndMap::Remove(hWnd);
    m_hWnd = nullptr;
    m_pfnSuper = nullptr;
    // The application's main window going away ends the program's message loop.
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        PostQuitMessage(0);
    }
    PostNcDestroy();
}

// ---------------------------------------------------------------------------------------
// Lifetime and attachment.

CWnd::~CWnd()
{
    if (m_hWnd && WndMap::FindObject(m_hWnd) == this) {
        // Destroyed with its window alive: the window goes first, while the object can still
        // answer its last messages (as a CWnd; derived parts are already gone).
        if (::IsWindow(m_hWnd))
            ::DestroyWindow(m_hWnd);
        // A window only attached (not subclassed) never told us it went.
        if (m_hWnd) {
            WndMap::Remove(m_hWnd);
            m_hWnd = nullptr;
        }
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    return WndMap::FindObject(hWnd);
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    if (CWnd* wnd = WndMap::FindObject(hWnd))
        return wnd;
    return TempObjects::Window(hWnd);
}

BOOL CWnd::Attach(HWND hWnd)
{
    if (!hWnd || m_hWnd || WndMap::FindObject(hWnd))
        return FALSE;
    m_hWnd = hWnd;
    WndMap::Add(hWnd, this, nullptr);
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd) {
        if (m_pfnSuper)
            return UnsubclassWindow();
        WndMap::Remove(hWnd);
    }
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!hWnd || !::IsWindow(hWnd) || m_hWnd || WndMap::FindObject(hWnd))
        return FALSE;
    WndMap::Entry orphan;
    if (WndMap::Find(hWnd, &orphan)) {
        // Our procedure still sits in the window's chain below someone else's: take its
        // place there instead of adding a second copy above.
        m_hWnd = hWnd;
        m_pfnSuper = orphan.oldProc;
        WndMap::Add(hWnd, this, orphan.oldProc);
        PreSubclassWindow();
        return TRUE;
    }
    m_hWnd = hWnd;
    WndMap::Add(hWnd, this, nullptr);
    PreSubclassWindow();
    WNDPROC old = (WNDPROC)SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxWndProc);
    m_pfnSuper = old;
    WndMap::SetOldProc(hWnd, old);
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    return parent ? SubclassWindow(::GetDlgItem(parent->m_hWnd, id)) : FALSE;
}

HWND CWnd::UnsubclassWindow()
{
    HWND hWnd = m_hWnd;
    if (!hWnd)
        return nullptr;
    if ((WNDPROC)GetWindowLongPtrA(hWnd, GWLP_WNDPROC) == AfxWndProc) {
        if (m_pfnSuper)
            SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
        WndMap::Remove(hWnd);
    } else {
        WndMap::Orphan(hWnd);
    }
    m_hWnd = nullptr;
    m_pfnSuper = nullptr;
    return hWnd;
}

// ---------------------------------------------------------------------------------------
// Creation.

BOOL CWnd::Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                  UINT id, CCreateContext*)
{
    return CreateEx(0, className, windowName, style | WS_CHILD, rect, parent, id);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect,
                    CWnd* parent, UINT id, LPVOID param)
{
    // The id is a menu handle for anything but a plain child: popups take none.
    HMENU menu = ((style & WS_CHILD) && !(style & WS_POPUP)) ? (HMENU)(UINT_PTR)id : nullptr;
    return CreateEx(exStyle, className, windowName, style, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr, menu, param);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menuOrId, LPVOID param)
{
    if (m_hWnd)
        return FALSE;
    CREATESTRUCTA cs = {};
    cs.dwExStyle = exStyle;
    cs.lpszClass = className;
    cs.lpszName = windowName;
    cs.style = style;
    cs.x = x;
    cs.y = y;
    cs.cx = width;
    cs.cy = height;
    cs.hwndParent = parent;
    cs.hMenu = menuOrId;
    cs.hInstance = GetModuleHandleA(nullptr);
    cs.lpCreateParams = param;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, LoadCursor(nullptr, IDC_ARROW));
    HWND hWnd;
    {
        AfxCreationScope scope(this);
        hWnd = CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx,
                               cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    }
    if (!hWnd)
        ForgetFailedCreation();
    return hWnd != nullptr;
}

void CWnd::ForgetFailedCreation()
{
    // Attached, then refused by its own WM_NCCREATE or WM_CREATE: let go of the dead handle
    // so that the object can be created again.
    if (m_hWnd && !::IsWindow(m_hWnd)) {
        WndMap::Remove(m_hWnd);
        m_hWnd = nullptr;
        m_pfnSuper = nullptr;
    }
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTA&)
{
    return TRUE;
}

void CWnd::PreSubclassWindow()
{
}

void CWnd::PostNcDestroy()
{
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    return ::DestroyWindow(m_hWnd);
}

// ---------------------------------------------------------------------------------------
// The message path.

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& m = t_currentMessage;
    return DefWindowProc(m.message, m.wParam, m.lParam);
}

const MSG* CWnd::GetCurrentMessage()
{
    return &t_currentMessage;
}

static bool IsCtlColorMessage(UINT message)
{
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    LRESULT local = 0;
    if (!result)
        result = &local;
    // A WM_CTLCOLOR* message looks for the one WM_CTLCOLOR entry.
    UINT key = IsCtlColorMessage(message) ? (UINT)WM_CTLCOLOR : message;
    const AFX_MSGMAP_ENTRY* entry = FindEntry(AfxMapMessage, key, 0, 0);
    if (!entry)
        entry = FindEntry(AfxMapRegistered, message, 0, 0);
    if (entry) {
        AfxMessageCall call = {message, wParam, lParam, result, 0,
                               IsCtlColorMessage(message) ? message - WM_CTLCOLORMSGBOX : 0};
        if (entry->thunk(this, call))
            return TRUE;
    }
    if (message == WM_COMMAND) {
        if (OnCommand(wParam, lParam)) {
            *result = 1;
            return TRUE;
        }
        return FALSE;
    }
    if (message == WM_NOTIFY) {
        LRESULT r = 0;
        if (OnNotify(wParam, lParam, &r)) {
            *result = r;
            return TRUE;
        }
        return FALSE;
    }
    return ReflectToChild(message, wParam, lParam, result);
}

BOOL CWnd::IsLiveChild(HWND hWnd) const
{
    return hWnd && m_hWnd && ::IsWindow(hWnd) && ::IsChild(m_hWnd, hWnd);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT id = LOWORD(wParam);
    UINT code = HIWORD(wParam);
    HWND control = (HWND)lParam;
    bool fromControl = IsLiveChild(control);
    if (!fromControl && lParam == 0 && code == 1)
        code = 0; // an accelerator is a command like a menu choice
    if (OnCmdMsg(id, (int)code, nullptr, nullptr))
        return TRUE;
    if (fromControl) {
        CWnd* child = FromHandlePermanent(control);
        LRESULT r = 0;
        if (child && child->OnChildNotify(WM_COMMAND, wParam, lParam, &r))
            return TRUE;
    }
    return FALSE;
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    NMHDR* header = (NMHDR*)lParam;
    if (!header)
        return FALSE;
    if (const AFX_MSGMAP_ENTRY* entry = FindEntry(AfxMapNotify, WM_NOTIFY, header->code, (UINT)header->idFrom)) {
        AfxMessageCall call = {WM_NOTIFY, wParam, lParam, result, (UINT)header->idFrom, header->code};
        if (entry->thunk(this, call))
            return TRUE;
    }
    if (IsLiveChild(header->hwndFrom)) {
        CWnd* child = FromHandlePermanent(header->hwndFrom);
        if (child && child->OnChildNotify(WM_NOTIFY, wParam, lParam, result))
            return TRUE;
    }
    return FALSE;
}

BOOL CWnd::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    HWND child = nullptr;
    switch (message) {
    case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC:
    case WM_HSCROLL: case WM_VSCROLL:
        child = (HWND)lParam;
        break;
    case WM_DRAWITEM:
        if (lParam && ((DRAWITEMSTRUCT*)lParam)->CtlType != ODT_MENU)
            child = ((DRAWITEMSTRUCT*)lParam)->hwndItem;
        break;
    case WM_MEASUREITEM:
        if (lParam && ((MEASUREITEMSTRUCT*)lParam)->CtlType != ODT_MENU)
            child = ::GetDlgItem(m_hWnd, ((MEASUREITEMSTRUCT*)lParam)->CtlID);
        break;
    case WM_DELETEITEM:
        if (lParam)
            child = ((DELETEITEMSTRUCT*)lParam)->hwndItem;
        break;
    case WM_COMPAREITEM:
        if (lParam)
            child = ((COMPAREITEMSTRUCT*)lParam)->hwndItem;
        break;
    default:
        return FALSE;
    }
    if (!IsLiveChild(child))
        return FALSE;
    CWnd* wnd = FromHandlePermanent(child);
    return wnd && wnd->OnChildNotify(message, wParam, lParam, result);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    return ReflectChildNotify(message, wParam, lParam, result);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    LRESULT local = 0;
    if (!result)
        result = &local;
    const AFX_MSGMAP_ENTRY* entry = nullptr;
    AfxMessageCall call = {message, wParam, lParam, result, 0, 0};
    if (message == WM_COMMAND) {
        call.id = LOWORD(wParam);
        call.code = HIWORD(wParam);
        entry = FindEntry(AfxMapReflectCommand, WM_COMMAND, call.code, 0);
    } else if (message == WM_NOTIFY) {
        NMHDR* header = (NMHDR*)lParam;
        call.id = (UINT)header->idFrom;
        call.code = header->code;
        entry = FindEntry(AfxMapReflectNotify, WM_NOTIFY, call.code, 0);
    } else if (IsCtlColorMessage(message)) {
        call.code = message - WM_CTLCOLORMSGBOX;
        entry = FindEntry(AfxMapReflect, WM_CTLCOLOR, 0, 0);
    } else {
        entry = FindEntry(AfxMapReflect, message, 0, 0);
    }
    return entry && entry->thunk(this, call);
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(HWND stop, MSG* msg)
{
    for (HWND hWnd = msg->hwnd; hWnd;) {
        CWnd* wnd = FromHandlePermanent(hWnd);
        if (wnd && wnd->PreTranslateMessage(msg))
            return TRUE;
        if (hWnd == stop || !(GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD))
            break;
        hWnd = ::GetParent(hWnd);
    }
    return FALSE;
}

// ---------------------------------------------------------------------------------------
// Wrappers that need more than one call.

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags)
{
    DWORD style = GetStyle();
    DWORD next = (style & ~remove) | add;
    if (style == next)
        return FALSE;
    SetWindowLongA(m_hWnd, GWL_STYLE, (LONG)next);
    if (flags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags)
{
    DWORD style = GetExStyle();
    DWORD next = (style & ~remove) | add;
    if (style == next)
        return FALSE;
    SetWindowLongA(m_hWnd, GWL_EXSTYLE, (LONG)next);
    if (flags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    return TRUE;
}

void CWnd::GetWindowText(CString& text) const
{
    int n = ::GetWindowTextLengthA(m_hWnd);
    ::GetWindowTextA(m_hWnd, text.GetBuffer(n), n + 1);
    text.ReleaseBuffer();
}

int CWnd::GetDlgItemText(int id, CString& text) const
{
    HWND item = ::GetDlgItem(m_hWnd, id);
    if (!item) {
        text.Empty();
        return 0;
    }
    int n = ::GetWindowTextLengthA(item);
    ::GetWindowTextA(item, text.GetBuffer(n), n + 1);
    text.ReleaseBuffer();
    return text.GetLength();
}

void CWnd::SetFont(CFont* font, BOOL redraw)
{
    ::SendMessageA(m_hWnd, WM_SETFONT, (WPARAM)(font ? font->m_hObject : nullptr), redraw);
}

CFont* CWnd::GetFont() const
{
    HFONT font = (HFONT)::SendMessageA(m_hWnd, WM_GETFONT, 0, 0);
    return font ? CFont::FromHandle(font) : nullptr;
}

void CWnd::CenterWindow(CWnd* alternateOwner)
{
    RECT self, area;
    ::GetWindowRect(m_hWnd, &self);
    HWND owner = alternateOwner ? alternateOwner->m_hWnd : ::GetWindow(m_hWnd, GW_OWNER);
    if (GetStyle() & WS_CHILD) {
        ::GetClientRect(::GetParent(m_hWnd), &area);
        ::MapWindowPoints(nullptr, ::GetParent(m_hWnd), (LPPOINT)&self, 2);
    } else if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner)) {
        ::GetWindowRect(owner, &area);
    } else {
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    }
    int w = self.right - self.left, h = self.bottom - self.top;
    int x = area.left + ((area.right - area.left) - w) / 2;
    int y = area.top + ((area.bottom - area.top) - h) / 2;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::DragAcceptFiles(BOOL accept)
{
    ::DragAcceptFiles(m_hWnd, accept);
}

BOOL CWnd::GetScrollInfo(int bar, LPSCROLLINFO info, UINT mask) const
{
    info->cbSize = sizeof(SCROLLINFO);
    info->fMask = mask;
    return ::GetScrollInfo(m_hWnd, bar, info);
}

// ---------------------------------------------------------------------------------------
// Default handlers.

int CWnd::OnCreate(LPCREATESTRUCT) { return (int)Default(); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnNcDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnNcPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return (BOOL)Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return (BOOL)Default(); }
void CWnd::OnMouseLeave() { Default(); }
void CWnd::OnMouseHover(UINT, CPoint) { Default(); }
void CWnd::OnNcMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnNcMouseLeave() { Default(); }
void CWnd::OnNcLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDblClk(UINT, CPoint) { Default(); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
BOOL CWnd::OnNcActivate(BOOL) { return (BOOL)Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return (BOOL)Default(); }
void CWnd::OnHScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnVScroll(UINT, UINT, CScrollBar*) { Default(); }
HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) { return (HBRUSH)Default(); }
void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT) { Default(); }
void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT) { Default(); }
HCURSOR CWnd::OnQueryDragIcon() { return (HCURSOR)Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
UINT CWnd::OnGetDlgCode() { return (UINT)Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
void CWnd::OnDropFiles(HDROP) { Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnCancelMode() { Default(); }

// CWnd's own map is empty: everything it does not route goes to DefWindowProc.
BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

// ---------------------------------------------------------------------------------------
// Window classes.

BOOL AfxRegisterClass(WNDCLASSA* wndClass)
{
    if (!wndClass->hInstance)
        wndClass->hInstance = GetModuleHandleA(nullptr);
    WNDCLASSA existing;
    if (GetClassInfoA(wndClass->hInstance, wndClass->lpszClassName, &existing))
        return TRUE;
    return RegisterClassA(wndClass) != 0;
}

LPCSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon)
{
    // Names stay valid for the life of the process, as callers keep the pointer.
    static std::set<std::string>* names = new std::set<std::string>;
    char name[96];
    wsprintfA(name, "Afx:%p:%x:%p:%p:%p", (void*)GetModuleHandleA(nullptr), classStyle, (void*)cursor,
              (void*)background, (void*)icon);
    auto it = names->find(name);
    if (it != names->end())
        return it->c_str();
    WNDCLASSA wc = {};
    wc.style = classStyle;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.lpszClassName = name;
    if (!AfxRegisterClass(&wc))
        return nullptr;
    return names->insert(name).first->c_str();
}
