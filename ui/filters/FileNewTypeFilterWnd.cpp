// ui/filters/FileNewTypeFilterWnd.cpp
#include "ui/filters/FileNewTypeFilterWnd.h"

#include "app/LangString.h"
#include "app/ResourceLayout.h"
#include "ui/filters/FilterDialogLook.h"
#include "ui/filters/FilterRules.h"
#include "uikit/widget/LayoutLoader.h"
#include "uikit/widget/UIFilterTypeItem.h"
#include "uikit/widget/UiImgCheckBtn.h"
#include "uikit/widget/UiItemFactory.h"

namespace {

const int kOk = 105;

} // namespace

FileNewTypeFilterWnd::FileNewTypeFilterWnd(CWnd* parent)
    : HomeBaseDialog(kPopupTemplateId, parent, true)
{
}

FileNewTypeFilterWnd::~FileNewTypeFilterWnd()
{
    UiCtrl::DeleteItems(kindRows_);
}

bool FileNewTypeFilterWnd::IsKindChecked(int id) const
{
    auto* item = dynamic_cast<UiCtrl::UiImgCheckBtn*>(FindClientItem(id));
    return item && item->IsChecked();
}

void FileNewTypeFilterWnd::SetKindChecked(int id, bool checked)
{
    if (auto* item = dynamic_cast<UiCtrl::UiImgCheckBtn*>(FindClientItem(id)))
        item->SetChecked(checked);
}

BOOL FileNewTypeFilterWnd::OnInitDialog()
{
    HomeBaseDialog::OnInitDialog();
    LoadSkin("FileNewTypeFilterWnd");
    UiCtrl::DeleteItems(kindRows_);
    UiCtrl::LoadItemsFromElement(GetResourceElement("FileTypeFilterWnd"), m_hWnd, kindRows_,
                                 [](int type, int userDefine) {
                                     return UiCtrl::CreateUiItem(type, userDefine);
                                 });
    for (const filters::FileKind& kind : filters::FileKinds()) {
        bool checked = true;
        if (settings_ && !settings_->allTypes)
            checked = !filters::KindList(*settings_, kind.itemId)->empty();
        SetKindChecked(kind.itemId, checked);
    }
    SetWindowText(GetLangString("FilterTypes").c_str());
    return TRUE;
}

bool FileNewTypeFilterWnd::ApplyChoices()
{
    if (!settings_)
        return true;
    std::vector<filters::KindChoice> choices;
    for (const filters::FileKind& kind : filters::FileKinds()) {
        auto found = kindRows_.find(kind.itemId);
        auto* row = found == kindRows_.end()
                        ? nullptr
                        : dynamic_cast<UiCtrl::UIFilterTypeItem*>(found->second);
        const bool present = row && FindClientItem(kind.itemId);
        choices.push_back({kind.itemId, present, present && IsKindChecked(kind.itemId),
                           row ? filters::KindRowExtensions(*row) : std::string()});
    }
    return filters::ApplyKindChoices(choices, *settings_);
}

void FileNewTypeFilterWnd::OnOK()
{
    ApplyChoices();
}

BOOL FileNewTypeFilterWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    if (id == IDCANCEL) {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    if (id == kOk) {
        // With no kind checked the dialog stays open: there is nothing to search for.
        if (ApplyChoices())
            EndDialog(IDCANCEL);
        return TRUE;
    }
    return HomeBaseDialog::OnCommand(wParam, lParam);
}

void FileNewTypeFilterWnd::DrawBackground(HDC memory)
{
    RECT client;
    GetClientRect(&client);
    filters::FillDialogBackground(memory, client);
}
