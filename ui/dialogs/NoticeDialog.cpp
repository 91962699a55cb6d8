// ui/dialogs/NoticeDialog.cpp
#include "ui/dialogs/NoticeDialog.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include "app/SkinImage.h"

namespace {
const int kButton = 100;
} // namespace

NoticeDialog::NoticeDialog(CWnd* parent, const char* layout, const char* picture)
    : HomeBaseDialog(kPopupTemplateId, parent, true), layout_(layout), pictureName_(picture)
{
}

NoticeDialog::~NoticeDialog()
{
    delete picture_;
}

BOOL NoticeDialog::OnInitDialog()
{
    HomeBaseDialog::OnInitDialog();
    LoadSkin(layout_.c_str());
    delete picture_;
    picture_ = LoadSkinImage(pictureName_.c_str());
    return TRUE;
}

BOOL NoticeDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    if (id == IDCANCEL || id == kButton) {
        EndDialog(2);
        return TRUE;
    }
    return HomeBaseDialog::OnCommand(wParam, lParam);
}
