// uikit/controls/XPTabCtrl.cpp
#include "uikit/controls/XPTabCtrl.h"
#include "app/ModuleExport.h"

#include "app/Language.h"
#include "app/TextConvert.h"
#include "app/UiFace.h"

DWORD TabWindowsVersion()
{
    static DWORD version = [] {
        OSVERSIONINFOA info = {sizeof info};
        if (!GetVersionExA(&info))
            return DWORD(0);
        return (info.dwMajorVersion << 16) | (info.dwMinorVersion & 0xFFFF);
    }();
    return version;
}

bool TabThemesUsable()
{
    if (TabWindowsVersion() < 0x50001)
        return false;
    HMODULE theme = LoadLibraryA("UxTheme.dll");
    if (!theme)
        return false;
    typedef BOOL(WINAPI * IsActive)();
    IsActive isActive = ModuleExport<IsActive>(theme, "IsThemeActive");
    bool active = isActive && isActive();
    FreeLibrary(theme);
    return active;
}

HRESULT DrawThemedBackground(HDC dc, int part, int state, const char* themeClass,
                             const RECT& rect)
{
    if (!themeClass || !*themeClass || !TabThemesUsable())
        return E_FAIL;
    HMODULE theme = LoadLibraryA("UxTheme.dll");
    if (!theme)
        return E_FAIL;
    typedef HANDLE(WINAPI * OpenTheme)(HWND, LPCWSTR);
    typedef HRESULT(WINAPI * DrawBackground)(HANDLE, HDC, int, int, const RECT*, const RECT*);
    typedef HRESULT(WINAPI * CloseTheme)(HANDLE);
    OpenTheme open = ModuleExport<OpenTheme>(theme, "OpenThemeData");
    DrawBackground draw = ModuleExport<DrawBackground>(theme, "DrawThemeBackground");
    CloseTheme close = ModuleExport<CloseTheme>(theme, "CloseThemeData");
    HRESULT result = E_FAIL;
    if (open && draw) {
        std::wstring name = ToWideCString(themeClass);
        HANDLE data = open(nullptr, name.c_str());
        if (data) {
            result = draw(data, dc, part, state, &rect, nullptr);
            // The theme data is closed before the library goes.
            if (close)
                close(data);
        }
    }
    FreeLibrary(theme);
    return result;
}

BEGIN_MESSAGE_MAP(CXPTabCtrl, CTabCtrl)
    ON_WM_PAINT()
    ON_NOTIFY_REFLECT(TCN_SELCHANGING, &CXPTabCtrl::OnSelChanging)
    ON_NOTIFY_REFLECT(TCN_SELCHANGE, &CXPTabCtrl::OnSelChange)
END_MESSAGE_MAP()

void CXPTabCtrl::DrawTab(HDC dc, int index, const RECT& rect, bool selected)
{
    // Tab parts 1 (item) with states 1 normal, 3 selected, in the "TAB" class.
    if (FAILED(DrawThemedBackground(dc, 1, selected ? 3 : 1, "TAB", rect))) {
        HBRUSH face = GetSysColorBrush(selected ? COLOR_WINDOW : COLOR_BTNFACE);
        FillRect(dc, &rect, face);
        RECT edge = rect;
        DrawEdge(dc, &edge, EDGE_RAISED, BF_LEFT | BF_TOP | BF_RIGHT);
    }
    char text[128] = {};
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    GetItem(index, &item);
    // Japanese faces are drawn regular: bold makes their strokes run together.
    LOGFONTA font = {};
    font.lfHeight = 14;
    font.lfWeight = GetLanguageIndex() == 1 ? 400 : 700;
    lstrcpynA(font.lfFaceName, GetUiFace(), LF_FACESIZE);
    HFONT handle = CreateFontIndirectA(&font);
    HGDIOBJ old = SelectObject(dc, handle);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, 0x1A1A1A);
    RECT box = rect;
    DrawTextA(dc, text, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, old);
    DeleteObject(handle);
}

void CXPTabCtrl::DrawItem(LPDRAWITEMSTRUCT item)
{
    if (item)
        DrawTab(item->hDC, static_cast<int>(item->itemID), item->rcItem,
                (item->itemState & ODS_SELECTED) != 0);
}

void CXPTabCtrl::OnPaint()
{
    CPaintDC dc(this);
    HDC hdc = dc.GetSafeHdc();
    CRect client;
    GetClientRect(&client);
    FillRect(hdc, &client, GetSysColorBrush(COLOR_BTNFACE));
    int selected = GetCurSel();
    for (int i = 0; i < GetItemCount(); ++i) {
        RECT rect;
        if (GetItemRect(i, &rect))
            DrawTab(hdc, i, rect, i == selected);
    }
}

void CXPTabCtrl::OnSelChanging(NMHDR*, LRESULT* result)
{
    m_oldSelection = GetCurSel();
    if (result)
        *result = 0;
}

void CXPTabCtrl::OnSelChange(NMHDR*, LRESULT* result)
{
    int selection = GetCurSel();
    CWnd* parent = GetParent();
    RECT old;
    if (m_oldSelection >= 0 && GetItemRect(m_oldSelection, &old) && parent) {
        InflateRect(&old, 2, 2);
        MapWindowPoints(m_hWnd, parent->m_hWnd, reinterpret_cast<POINT*>(&old), 2);
        ::InvalidateRect(parent->m_hWnd, &old, TRUE);
    }
    Invalidate(FALSE);
    if (parent)
        ::SendMessageA(parent->m_hWnd, kTabSelectionChangedMessage, static_cast<WPARAM>(selection), 0);
    if (result)
        *result = 0;
}
