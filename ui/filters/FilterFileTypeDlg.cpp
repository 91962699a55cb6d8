// ui/filters/FilterFileTypeDlg.cpp
#include "ui/filters/FilterFileTypeDlg.h"

#include "ui/filters/EditFileTypeItemDlg.h"
#include "ui/filters/FilterDialogLook.h"
#include "ui/filters/FilterRules.h"
#include "uikit/widget/UIFilterTypeItem.h"

namespace {

enum { kEditOther = 105, kEditSelected = 106, kRestore = 107, kOk = 108 };

} // namespace

FilterFileTypeDlg::FilterFileTypeDlg(CWnd* parent) : HomeBaseDialog(kPopupTemplateId, parent, true)
{
}

UiCtrl::UIFilterTypeItem* FilterFileTypeDlg::KindRow(int id) const
{
    return dynamic_cast<UiCtrl::UIFilterTypeItem*>(FindClientItem(id));
}

BOOL FilterFileTypeDlg::OnInitDialog()
{
    HomeBaseDialog::OnInitDialog();
    LoadSkin("FileTypeFilterWnd");
    SetWindowText("Add/Filter File Types");
    if (settings_)
        for (const filters::FileKind& kind : filters::FileKinds())
            if (UiCtrl::UIFilterTypeItem* row = KindRow(kind.itemId))
                row->SetChecked(settings_->allTypes ||
                                !filters::KindList(*settings_, kind.itemId)->empty());
    SelectKind(selected_);
    return TRUE;
}

void FilterFileTypeDlg::SelectKind(int id)
{
    selected_ = id;
    for (const filters::FileKind& kind : filters::FileKinds())
        if (UiCtrl::UIFilterTypeItem* row = KindRow(kind.itemId))
            row->SetSelected(kind.itemId == id);
    if (m_hWnd)
        Invalidate(FALSE);
}

void FilterFileTypeDlg::ReloadClientText()
{
    for (auto& entry : ClientItems())
        entry.second->ReloadText();
}

void FilterFileTypeDlg::EditKindList(const char* category)
{
    EditFileTypeItemDlg editor(this);
    editor.SetCategory(category);
    editor.DoModal();
}

bool FilterFileTypeDlg::ApplyChoices()
{
    if (!settings_)
        return true;
    std::vector<filters::KindChoice> choices;
    for (const filters::FileKind& kind : filters::FileKinds()) {
        UiCtrl::UIFilterTypeItem* row = KindRow(kind.itemId);
        choices.push_back({kind.itemId, row != nullptr, row && row->IsChecked(),
                           row ? filters::KindRowExtensions(*row) : std::string()});
    }
    return filters::ApplyKindChoices(choices, *settings_);
}

void FilterFileTypeDlg::OnOK()
{
    ApplyChoices();
}

BOOL FilterFileTypeDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    switch (id) {
    case IDCANCEL:
        EndDialog(IDCANCEL);
        return TRUE;
    case kOk:
        // With no kind checked the dialog stays open: there is nothing to search for.
        if (ApplyChoices())
            EndDialog(IDOK);
        return TRUE;
    case kEditOther:
        EditKindList("Other");
        ReloadClientText();
        break;
    case kEditSelected:
        if (const char* category = filters::KindCategory(selected_))
            EditKindList(category);
        ReloadClientText();
        break;
    case kRestore:
        for (const filters::FileKind& kind : filters::FileKinds())
            if (UiCtrl::UIFilterTypeItem* row = KindRow(kind.itemId))
                row->SetUserText(std::string());
        ReloadClientText();
        break;
    default:
        // A click beside a row's check picture (lParam 0) selects that kind.
        if (filters::KindCategory(id) && lParam == 0)
            SelectKind(id);
        break;
    }
    if (id >= 100 && id <= kRestore)
        Invalidate(FALSE);
    return HomeBaseDialog::OnCommand(wParam, lParam);
}

void FilterFileTypeDlg::DrawBackground(HDC memory)
{
    RECT c;
    GetClientRect(&c);
    filters::FillBandedBackground(memory, c, 45);
}
