// ui/filters/FilterDialogLook.cpp
#include "ui/filters/FilterDialogLook.h"

#include <vector>

#include "app/ResourceHelper.h"
#include "uikit/widget/UIFilterTypeItem.h"

namespace filters {

void FillDialogBackground(HDC dc, const RECT& rect)
{
    static HBRUSH brush = CreateSolidBrush(kDialogBackground);
    FillRect(dc, &rect, brush);
}

void FillRectColour(HDC dc, const RECT& rect, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

RECT FillBandedBackground(HDC dc, const RECT& client, int bodyHeight)
{
    FillDialogBackground(dc, client);
    RECT band = {client.left + 1, client.bottom - 60, client.right - 1, client.bottom};
    FillRectColour(dc, band, 0x201915);
    band.bottom = band.top;
    band.top -= bodyHeight;
    FillRectColour(dc, band, 0x271F1A);
    return band;
}

HWND CreateFilterEdit(HWND parent, int id, int x, int y, int width, int height, DWORD style,
                      int fontHeight, int limit)
{
    HWND edit = CreateWindowExA(0, "EDIT", "", style, x, y, width, height, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                GetModuleHandleA(nullptr), nullptr);
    if (!edit)
        return nullptr;
    SendMessageA(edit, WM_SETFONT,
                 reinterpret_cast<WPARAM>(ResourceHelper::Instance().GetFont(fontHeight, 400, false)),
                 TRUE);
    if (limit > 0)
        SendMessageA(edit, EM_LIMITTEXT, limit, 0);
    SetWindowPos(edit, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return edit;
}

std::string EditText(HWND edit)
{
    if (!edit || !IsWindow(edit))
        return std::string();
    const int length = GetWindowTextLengthA(edit);
    std::vector<char> text(length + 1, '\0');
    GetWindowTextA(edit, text.data(), length + 1);
    return std::string(text.data());
}

void SetEditText(HWND edit, const std::string& text)
{
    if (edit)
        SetWindowTextA(edit, text.c_str());
}

void DestroyEdit(HWND& edit)
{
    if (edit && IsWindow(edit))
        DestroyWindow(edit);
    edit = nullptr;
}

LRESULT ColourEdit(HDC dc, HBRUSH brush)
{
    SetBkColor(dc, kEditBackground);
    SetTextColor(dc, kEditText);
    return reinterpret_cast<LRESULT>(brush);
}

std::string KindRowExtensions(const UiCtrl::UIFilterTypeItem& row)
{
    return row.GetUserText().empty() ? row.GetCaptionText() : row.GetUserText();
}

} // namespace filters
