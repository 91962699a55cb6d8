// ui/filters/FilterEditDialog.cpp
#include "ui/filters/FilterEditDialog.h"

#include "ui/filters/FilterDialogLook.h"

namespace {
const int kOk = 100;
} // namespace

FilterEditDialog::FilterEditDialog(CWnd* parent)
    : HomeBaseDialog(kPopupTemplateId, parent, true)
{
}

FilterEditDialog::~FilterEditDialog()
{
    filters::DestroyEdit(edit_);
    if (editBrush_)
        DeleteObject(editBrush_);
}

void FilterEditDialog::CreateEditBrush()
{
    // The field's own colour: green text on a green brush would hide what it holds.
    if (!editBrush_)
        editBrush_ = CreateSolidBrush(filters::kEditBackground);
}

BOOL FilterEditDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    if (id == IDCANCEL) {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    if (id == kOk) {
        if (!AcceptField())
            return TRUE;
        OnOK();
        EndDialog(IDCANCEL);
        return TRUE;
    }
    return HomeBaseDialog::OnCommand(wParam, lParam);
}

LRESULT FilterEditDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CTLCOLOREDIT && edit_ && reinterpret_cast<HWND>(lParam) == edit_)
        return filters::ColourEdit(reinterpret_cast<HDC>(wParam), editBrush_);
    return HomeBaseDialog::WindowProc(message, wParam, lParam);
}
