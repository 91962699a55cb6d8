// uikit/controls/OwnerDrawButtons.cpp
#include "uikit/controls/OwnerDrawButtons.h"

#include <stdio.h>
#include <string.h>

#include "app/ResourceHelper.h"

ButtonLook ChooseButtonLook(bool disabled, bool pressed, bool over)
{
    if (disabled)
        return kLookDisabled;
    if (pressed)
        return kLookPressed;
    return over ? kLookHover : kLookNormal;
}

ButtonLook ChooseBitmapLook(bool selected, bool disabled, bool hover, const bool loaded[4])
{
    if (selected && loaded[kLookPressed])
        return kLookPressed;
    if (disabled && loaded[kLookDisabled])
        return kLookDisabled;
    if (hover && loaded[kLookHover])
        return kLookHover;
    return kLookNormal;
}

static void TrackHover(HWND window, DWORD hoverTime)
{
    TRACKMOUSEEVENT track = {sizeof track, TME_HOVER | TME_LEAVE, window, hoverTime};
    TrackMouseEvent(&track);
}

// ---- CMsBtn

BEGIN_MESSAGE_MAP(CMsBtn, CButton)
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSEHOVER()
    ON_WM_MOUSELEAVE()
    ON_WM_CTLCOLOR_REFLECT()
    ON_BN_CLICKED_REFLECT(&CMsBtn::OnClicked)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CMsBtn::CMsBtn()
{
    for (int i = 0; i < 4; ++i) {
        m_backgrounds[i] = GetSysColor(COLOR_BTNFACE);
        m_texts[i] = GetSysColor(i == kLookDisabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
    }
}

CMsBtn::~CMsBtn()
{
    for (HICON icon : m_icons)
        if (icon)
            DestroyIcon(icon);
    if (m_skin)
        DeleteObject(m_skin);
    FreeBackground();
    if (m_font)
        DeleteObject(m_font);
}

void CMsBtn::FreeBackground()
{
    if (m_backgroundDc) {
        SelectObject(m_backgroundDc, m_oldBackground);
        DeleteDC(m_backgroundDc);
    }
    if (m_background)
        DeleteObject(m_background);
    m_backgroundDc = nullptr;
    m_background = nullptr;
    m_oldBackground = nullptr;
}

void CMsBtn::SetTextColor(COLORREF colour)
{
    m_textColor = colour;
    if (m_hWnd)
        Invalidate();
}

void CMsBtn::SetTransparent(BOOL transparent)
{
    m_transparent = transparent;
    if (m_hWnd)
        Invalidate();
}

void CMsBtn::SetTextFont(const LOGFONTA& font)
{
    HFONT made = CreateFontIndirectA(&font);
    if (!made)
        return;
    if (m_font)
        DeleteObject(m_font);
    m_font = made;
    if (m_hWnd)
        Invalidate();
}

bool CMsBtn::CopyParentBackground(const RECT& rect)
{
    if (m_backgroundDc)
        return true;
    HWND parent = ::GetParent(m_hWnd);
    if (!parent)
        return false;
    // Where the button lies in the parent's client area.
    RECT place;
    ::GetWindowRect(m_hWnd, &place);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    HDC parentDc = ::GetDC(parent);
    if (!parentDc)
        return false;
    m_backgroundDc = CreateCompatibleDC(parentDc);
    m_background = CreateCompatibleBitmap(parentDc, width, height);
    if (m_backgroundDc && m_background) {
        m_oldBackground = SelectObject(m_backgroundDc, m_background);
        BitBlt(m_backgroundDc, 0, 0, width, height, parentDc, place.left, place.top, SRCCOPY);
    }
    ::ReleaseDC(parent, parentDc);
    if (!m_oldBackground) {
        FreeBackground();
        return false;
    }
    return true;
}

void CMsBtn::PreSubclassWindow()
{
    UINT type = GetButtonStyle() & BS_TYPEMASK;
    m_checkBox = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX;
    SetButtonStyle((GetButtonStyle() & ~BS_TYPEMASK) | BS_OWNERDRAW, FALSE);
    CButton::PreSubclassWindow();
}

void CMsBtn::SetIcons(UINT normalId, UINT hoverId, int width, int height)
{
    const UINT ids[2] = {normalId, hoverId};
    for (int i = 0; i < 2; ++i) {
        if (m_icons[i])
            DestroyIcon(m_icons[i]);
        m_icons[i] = ids[i] ? static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr),
                                                            MAKEINTRESOURCEA(ids[i]), IMAGE_ICON,
                                                            width, height, 0))
                            : nullptr;
        m_iconSizes[i] = SIZE{0, 0};
        ICONINFO info = {};
        if (m_icons[i] && GetIconInfo(m_icons[i], &info)) {
            // An icon's hot spot is its centre.
            m_iconSizes[i] = SIZE{static_cast<LONG>(info.xHotspot * 2),
                                  static_cast<LONG>(info.yHotspot * 2)};
            if (info.hbmMask)
                DeleteObject(info.hbmMask);
            if (info.hbmColor)
                DeleteObject(info.hbmColor);
        }
    }
    if (m_hWnd)
        Invalidate();
}

void CMsBtn::SetSkin(UINT bitmapId, const RECT rects[4])
{
    if (m_skin)
        DeleteObject(m_skin);
    m_skin = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(bitmapId));
    for (int i = 0; i < 4; ++i)
        m_skinRects[i] = rects[i];
    if (m_hWnd)
        Invalidate();
}

void CMsBtn::SetColors(const COLORREF backgrounds[4], const COLORREF texts[4])
{
    for (int i = 0; i < 4; ++i) {
        m_backgrounds[i] = backgrounds[i];
        m_texts[i] = texts[i];
    }
    m_textColor = texts[kLookNormal];
    if (m_hWnd)
        Invalidate();
}

void CMsBtn::SetChecked(BOOL checked)
{
    m_checked = checked;
    if (m_hWnd)
        Invalidate();
}

void CMsBtn::DrawItem(LPDRAWITEMSTRUCT item)
{
    if (!item)
        return;
    CDC* dc = CDC::FromHandle(item->hDC);
    RECT rect = item->rcItem;
    bool pressed = (item->itemState & ODS_SELECTED) || (m_checkBox && m_checked);
    bool disabled = (item->itemState & ODS_DISABLED) != 0;
    ButtonLook look = ChooseButtonLook(disabled, pressed, m_over);
    if (m_skin) {
        HDC source = CreateCompatibleDC(item->hDC);
        HGDIOBJ old = SelectObject(source, m_skin);
        const RECT& from = m_skinRects[look];
        StretchBlt(item->hDC, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                   source, from.left, from.top, from.right - from.left, from.bottom - from.top,
                   SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
    } else if (m_transparent && CopyParentBackground(rect)) {
        BitBlt(item->hDC, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               m_backgroundDc, 0, 0, SRCCOPY);
    } else {
        HBRUSH brush = CreateSolidBrush(m_backgrounds[look]);
        FillRect(item->hDC, &rect, brush);
        DeleteObject(brush);
    }
    HICON icon = (m_over && m_icons[1]) ? m_icons[1] : m_icons[0];
    if (icon) {
        SIZE size = m_iconSizes[icon == m_icons[1] ? 1 : 0];
        DrawIconEx(item->hDC, rect.left + m_iconOffset.x, rect.top + m_iconOffset.y, icon,
                   size.cx, size.cy, 0, nullptr, DI_NORMAL);
    }
    char text[256] = {};
    ::GetWindowTextA(m_hWnd, text, sizeof text);
    DrawButtonText(dc, text, rect, look);
}

void CMsBtn::DrawButtonText(CDC* dc, const char* text, RECT rect, ButtonLook look)
{
    HDC hdc = dc->m_hDC;
    HGDIOBJ oldFont = m_font ? SelectObject(hdc, m_font) : nullptr;
    if (look == kLookPressed && m_flat && !m_checkBox)
        OffsetRect(&rect, m_pressedOffset.x, m_pressedOffset.y);
    RECT measured = rect;
    DrawTextA(hdc, text, -1, &measured, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
    int height = measured.bottom - measured.top;
    rect.top += (rect.bottom - rect.top - height) / 2;
    rect.bottom = rect.top + height;
    SetBkMode(hdc, TRANSPARENT);
    ::SetTextColor(hdc, TextFor(look));
    DrawTextA(hdc, text, -1, &rect, DT_WORDBREAK | DT_CENTER);
    if (oldFont)
        SelectObject(hdc, oldFont);
}

void CMsBtn::OnMouseMove(UINT, CPoint)
{
    if (!m_tracking) {
        TrackHover(m_hWnd, 10);
        m_tracking = true;
    }
    Default();
}

void CMsBtn::OnMouseHover(UINT, CPoint)
{
    m_tracking = false;
    if (m_checkBox && m_checked)
        return;
    m_over = true;
    Invalidate();
}

void CMsBtn::OnMouseLeave()
{
    m_tracking = false;
    if (m_checkBox && m_checked)
        return;
    m_over = false;
    Invalidate();
}

HBRUSH CMsBtn::CtlColor(CDC*, UINT) { return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)); }

void CMsBtn::OnClicked()
{
    if (m_checkBox)
        SetChecked(!m_checked);
}

BOOL CMsBtn::OnEraseBkgnd(CDC*) { return TRUE; }

// ---- CButtonPlus

BEGIN_MESSAGE_MAP(CButtonPlus, CButton)
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSEHOVER()
    ON_WM_MOUSELEAVE()
    ON_WM_SETCURSOR()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

const char kButtonPlusInitError[] = "Init CButtonPlus is false error=0x%x,GetLastError=%d";
const char kButtonPlusInit002Error[] = "Init CButtonPlus 002 is false error=0x%x,GetLastError=%d";
const char kButtonPlusLoadBitmapError[] = "Init OwerLoadBitmap is false error=0x%x,GetLastError=%d";
const char kButtonPlusPromptError[] = "Init CButtonPlus SetPrompt is false GetLastError=%d";

static const size_t kPromptSize = 261;

template <class... Args> static void ShowButtonError(const char* format, Args... args)
{
    char text[160];
    snprintf(text, sizeof text, format, args...);
    AfxMessageBox(text, MB_OK | MB_ICONERROR);
}

CButtonPlus::CButtonPlus()
{
    HANDLE heap = GetProcessHeap();
    if (!heap) {
        ShowButtonError(kButtonPlusInitError, 0u, static_cast<int>(GetLastError()));
        return;
    }
    m_prompt = static_cast<char*>(HeapAlloc(heap, HEAP_ZERO_MEMORY, kPromptSize));
    if (!m_prompt)
        ShowButtonError(kButtonPlusInit002Error, static_cast<unsigned>(kPromptSize),
                        static_cast<int>(GetLastError()));
}

CButtonPlus::~CButtonPlus()
{
    if (m_prompt)
        HeapFree(GetProcessHeap(), 0, m_prompt);
}

void CButtonPlus::PreSubclassWindow()
{
    ModifyStyle(0, BS_OWNERDRAW);
    CButton::PreSubclassWindow();
}

BOOL CButtonPlus::PreCreateWindow(CREATESTRUCTA& cs)
{
    cs.style = (cs.style & ~BS_TYPEMASK) | BS_OWNERDRAW;
    return CButton::PreCreateWindow(cs);
}

BOOL CButtonPlus::LoadBitmaps(UINT normal, UINT hover, UINT pressed, UINT disabled)
{
    const UINT ids[4] = {normal, hover, pressed, disabled};
    m_loaded = true;
    for (int i = 0; i < 4; ++i) {
        m_bitmaps[i].DeleteObject();
        if (ids[i] && !m_bitmaps[i].LoadBitmap(ids[i])) {
            ShowButtonError(kButtonPlusLoadBitmapError, ids[i], static_cast<int>(GetLastError()));
            m_loaded = false;
        }
    }
    m_loaded = m_loaded && m_bitmaps[kLookNormal].m_hObject != nullptr;
    if (m_hWnd)
        Invalidate();
    return m_loaded;
}

BOOL CButtonPlus::SetPrompt(const char* text)
{
    const size_t length = text ? strlen(text) : 0;
    if (!m_prompt || length >= kPromptSize) {
        SetLastError(m_prompt ? ERROR_INSUFFICIENT_BUFFER : ERROR_NOT_ENOUGH_MEMORY);
        ShowButtonError(kButtonPlusPromptError, static_cast<int>(GetLastError()));
        return FALSE;
    }
    memcpy(m_prompt, text ? text : "", length + 1);
    return TRUE;
}

void CButtonPlus::SizeToBitmap()
{
    BITMAP info = {};
    if (!m_hWnd || !m_bitmaps[kLookNormal].m_hObject ||
        !m_bitmaps[kLookNormal].GetObject(sizeof info, &info))
        return;
    SetWindowPos(nullptr, 0, 0, info.bmWidth, info.bmHeight, SWP_NOMOVE | SWP_NOZORDER);
}

void CButtonPlus::DrawItem(LPDRAWITEMSTRUCT item)
{
    if (!item)
        return;
    if (item->itemAction == ODA_FOCUS && !(item->itemState & ODS_FOCUS))
        m_hover = false;
    bool loaded[4];
    for (int i = 0; i < 4; ++i)
        loaded[i] = m_bitmaps[i].m_hObject != nullptr;
    ButtonLook look = ChooseBitmapLook((item->itemState & ODS_SELECTED) != 0,
                                       (item->itemState & ODS_DISABLED) != 0, m_hover, loaded);
    CDC* dc = CDC::FromHandle(item->hDC);
    m_bitmaps[look].Draw(dc, item->rcItem.left, item->rcItem.top);
    char text[256] = {};
    ::GetWindowTextA(m_hWnd, text, sizeof text);
    HGDIOBJ old = SelectObject(item->hDC, ResourceHelper::Instance().GetFont(16, 400, false));
    SetBkMode(item->hDC, TRANSPARENT);
    RECT rect = item->rcItem;
    DrawTextA(item->hDC, text, -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(item->hDC, old);
}

void CButtonPlus::OnMouseMove(UINT, CPoint)
{
    if (!m_tracking) {
        TrackHover(m_hWnd, 1);
        m_tracking = true;
    }
    Default();
}

void CButtonPlus::OnMouseHover(UINT, CPoint)
{
    m_tracking = false;
    m_hover = true;
    Invalidate();
}

void CButtonPlus::OnMouseLeave()
{
    m_tracking = false;
    m_hover = false;
    Invalidate();
}

BOOL CButtonPlus::OnSetCursor(CWnd* window, UINT hit, UINT message)
{
    HWND parent = ::GetParent(m_hWnd);
    POINT cursor;
    GetCursorPos(&cursor);
    for (int id : {1229, 1230}) {
        HWND itemWindow = parent ? ::GetDlgItem(parent, id) : nullptr;
        RECT rect;
        if (itemWindow && ::GetWindowRect(itemWindow, &rect) && PtInRect(&rect, cursor)) {
            ::SetCursor(LoadCursor(nullptr, IDC_HAND));
            return TRUE;
        }
    }
    (void)window;
    (void)hit;
    (void)message;
    return static_cast<BOOL>(Default());
}

BOOL CButtonPlus::OnEraseBkgnd(CDC*) { return TRUE; }
