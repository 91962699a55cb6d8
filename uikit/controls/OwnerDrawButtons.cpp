// uikit/controls/OwnerDrawButtons.cpp
#include "uikit/controls/OwnerDrawButtons.h"

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
    if (look == kLookPressed && m_flat && !m_checkBox)
        OffsetRect(&rect, m_pressedOffset.x, m_pressedOffset.y);
    RECT measured = rect;
    DrawTextA(hdc, text, -1, &measured, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
    int height = measured.bottom - measured.top;
    rect.top += (rect.bottom - rect.top - height) / 2;
    rect.bottom = rect.top + height;
    SetBkMode(hdc, TRANSPARENT);
    ::SetTextColor(hdc, m_texts[look]);
    DrawTextA(hdc, text, -1, &rect, DT_WORDBREAK | DT_CENTER);
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
    m_out = false;
    Invalidate();
}

void CMsBtn::OnMouseLeave()
{
    m_tracking = false;
    if (m_checkBox && m_checked)
        return;
    m_over = false;
    m_out = true;
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

void CButtonPlus::PreSubclassWindow()
{
    ModifyStyle(0, BS_OWNERDRAW);
    CButton::PreSubclassWindow();
}

BOOL CButtonPlus::LoadBitmaps(UINT normal, UINT hover, UINT pressed, UINT disabled)
{
    const UINT ids[4] = {normal, hover, pressed, disabled};
    for (int i = 0; i < 4; ++i) {
        m_bitmaps[i].DeleteObject();
        if (ids[i])
            m_bitmaps[i].LoadBitmap(ids[i]);
    }
    return m_bitmaps[kLookNormal].m_hObject != nullptr;
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
