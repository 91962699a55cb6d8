// ui/filters/FilterDialogLook.h
// What the filter dialogs share: their background, and the edit fields they place over their
// widgets (green text on a dark field).
#pragma once
#include <windows.h>

#include <string>

namespace UiCtrl {
class UIFilterTypeItem;
}

namespace filters {

const COLORREF kDialogBackground = 0x423129;
const COLORREF kEditBackground = 0x3B2B24;
const COLORREF kEditText = 0x7CDB00;

// Fills rect with the dialog colour (one brush, kept for the process).
void FillDialogBackground(HDC dc, const RECT& rect);
void FillRectColour(HDC dc, const RECT& rect, COLORREF colour);
// Fills client with the dialog colour, a 60-pixel button band at its bottom and a band of
// bodyHeight above that one; gives that upper band.
RECT FillBandedBackground(HDC dc, const RECT& client, int bodyHeight);

// An "EDIT" child at (x, y) of width x height in the program's font of fontHeight, holding at
// most limit characters (0: no limit), raised over the widgets. Null on failure.
HWND CreateFilterEdit(HWND parent, int id, int x, int y, int width, int height, DWORD style,
                      int fontHeight, int limit);
std::string EditText(HWND edit);
void SetEditText(HWND edit, const std::string& text);
// Destroys the edit when it is still a window and clears the handle.
void DestroyEdit(HWND& edit);

// The answer to WM_CTLCOLOREDIT for one of the dialog's own fields: its colours set on dc.
LRESULT ColourEdit(HDC dc, HBRUSH brush);

// The extension list a kind row stands for: the user's own list when there is one (the scan's
// categories use it too), else the default.
std::string KindRowExtensions(const UiCtrl::UIFilterTypeItem& row);

} // namespace filters
