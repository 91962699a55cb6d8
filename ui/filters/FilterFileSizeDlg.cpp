// ui/filters/FilterFileSizeDlg.cpp
#include "ui/filters/FilterFileSizeDlg.h"

#include <stdio.h>
#include <stdlib.h>

#include "app/LangString.h"
#include "ui/filters/FilterDialogLook.h"
#include "uikit/widget/UiBtnWithoutWnd.h"
#include "uikit/widget/UiImgCheckBtn.h"

using namespace filters;

namespace {

enum {
    kNoLimit = 100,
    kRange = 101,
    kOk = 102,
    kMinimumUnit = 103,
    kMaximumUnit = 104,
    kUnitChosen = 0x2400,
    kMinimumTag = 1000,
    kMaximumTag = 2000,
    kMinimumEditId = 1001,
    kMaximumEditId = 1002,
};
const DWORD kEditStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL;

UiCtrl::UiImgCheckBtn* CheckItem(HomeBaseDialog& dlg, int id)
{
    return dynamic_cast<UiCtrl::UiImgCheckBtn*>(dlg.FindClientItem(id));
}

// The caption of a unit: its translation when there is one, else its id.
std::string UnitCaption(SizeUnit unit)
{
    const std::string translated = GetLangString(UnitId(unit));
    return translated.empty() ? UnitId(unit) : translated;
}

int64_t EditNumber(HWND edit)
{
    return _atoi64(EditText(edit).c_str());
}

} // namespace

FilterFileSizeDlg::FilterFileSizeDlg(CWnd* parent) : HomeBaseDialog(kPopupTemplateId, parent, true)
{
}

FilterFileSizeDlg::~FilterFileSizeDlg()
{
    DestroyEdit(minimumEdit_);
    DestroyEdit(maximumEdit_);
    if (editBrush_)
        DeleteObject(editBrush_);
}

bool FilterFileSizeDlg::IsNoLimitChecked() const
{
    auto* item = dynamic_cast<UiCtrl::UiImgCheckBtn*>(FindClientItem(kNoLimit));
    return item && item->IsChecked();
}

BOOL FilterFileSizeDlg::OnInitDialog()
{
    HomeBaseDialog::OnInitDialog();
    LoadSkin("FileSizeFilterWnd");
    SetRangeChoice(false);
    // The layout names each bound's starting unit by id.
    for (int id : {kMinimumUnit, kMaximumUnit}) {
        UiCtrl::UiItem* item = FindClientItem(id);
        const SizeUnit unit = item ? UnitFromId(item->GetLangKey()) : kUnitNone;
        ShowUnit(id, unit == kUnitNone || unit == kUnitB ? kUnitKB : unit);  // lists offer KB up
    }

    minimumList_.CreateWin(m_hWnd, 0, 0, 0, 0, 0, 0);
    minimumList_.SetTag(kMinimumTag);
    maximumList_.CreateWin(m_hWnd, 0, 0, 0, 0, 0, 0);
    maximumList_.SetTag(kMaximumTag);
    for (UiCtrl::FilterKBMBWnd* list : {&minimumList_, &maximumList_})
        if (list->GetHwnd())
            ::ShowWindow(list->GetHwnd(), SW_HIDE);

    SetWindowText(GetLangString("SetFileSize").c_str());
    filling_ = true;
    minimumEdit_ = CreateFilterEdit(m_hWnd, kMinimumEditId, 180, 82, 95, 30, kEditStyle, 24, 5);
    maximumEdit_ = CreateFilterEdit(m_hWnd, kMaximumEditId, 460, 82, 98, 30, kEditStyle, 24, 5);
    if (!editBrush_)
        editBrush_ = CreateSolidBrush(kEditBackground);

    if (settings_) {
        const int64_t minimum = settings_->minimumSize, maximum = settings_->maximumSize;
        if (minimum != 0 || maximum != 0)
            SetRangeChoice(true);
        const UnitAmount low = SizeToUnit(minimum), high = SizeToUnit(maximum);
        ShowUnit(kMinimumUnit, low.unit);
        ShowUnit(kMaximumUnit, high.unit);
        char text[16];
        snprintf(text, sizeof text, "%d", low.number);
        SetEditText(minimumEdit_, text);
        snprintf(text, sizeof text, "%d", high.number);
        SetEditText(maximumEdit_, text);
    }
    filling_ = false;
    return TRUE;
}

void FilterFileSizeDlg::SetRangeChoice(bool range)
{
    if (UiCtrl::UiImgCheckBtn* noLimit = CheckItem(*this, kNoLimit))
        noLimit->SetChecked(!range);
    if (UiCtrl::UiImgCheckBtn* withRange = CheckItem(*this, kRange))
        withRange->SetChecked(range);
    if (m_hWnd)
        Invalidate(FALSE);
}

void FilterFileSizeDlg::ShowUnit(int itemId, SizeUnit unit)
{
    (itemId == kMinimumUnit ? minimumUnit_ : maximumUnit_) = unit;
    if (auto* item = dynamic_cast<UiCtrl::UiBtnWithoutWnd*>(FindClientItem(itemId)))
        item->SetCaption(UnitCaption(unit));
    if (m_hWnd)
        Invalidate(FALSE);
}

void FilterFileSizeDlg::OpenUnitList(int itemId, UiCtrl::FilterKBMBWnd& list)
{
    UiCtrl::UiItem* item = FindClientItem(itemId);
    if (!item || !list.GetHwnd())
        return;
    POINT at = {item->Rect().left + 5, item->Rect().bottom + 4};
    ::ClientToScreen(m_hWnd, &at);
    ::SetWindowPos(list.GetHwnd(), HWND_TOP, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    // The list opens on the unit the number is in now.
    list.SetChosenValue(ChoiceOfUnit(itemId == kMinimumUnit ? minimumUnit_ : maximumUnit_));
    list.Open();
}

void FilterFileSizeDlg::OnUnitChosen(LPARAM value)
{
    const int v = static_cast<int>(value);
    if (v < kMaximumTag + 1)
        ShowUnit(kMinimumUnit, UnitFromChoice(v - kMinimumTag));
    else
        ShowUnit(kMaximumUnit, UnitFromChoice(v - kMaximumTag));
}

void FilterFileSizeDlg::OnOK()
{
    if (!settings_)
        return;
    if (IsNoLimitChecked()) {
        settings_->minimumSize = 0;
        settings_->maximumSize = 0;
        return;
    }
    const int64_t low = UnitToBytes(minimumUnit_, EditNumber(minimumEdit_));
    const int64_t high = UnitToBytes(maximumUnit_, EditNumber(maximumEdit_));
    OrderBounds(low, high, settings_->minimumSize, settings_->maximumSize);
}

BOOL FilterFileSizeDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    // Typing a bound means a range: numbers typed under "any size" would be dropped unseen.
    if (HIWORD(wParam) == EN_CHANGE && !filling_ && lParam &&
        (reinterpret_cast<HWND>(lParam) == minimumEdit_ ||
         reinterpret_cast<HWND>(lParam) == maximumEdit_)) {
        SetRangeChoice(true);
        return TRUE;
    }
    switch (id) {
    case kNoLimit: SetRangeChoice(false); break;
    case kRange: SetRangeChoice(true); break;
    case kOk:
        OnOK();
        EndDialog(IDCANCEL);
        return TRUE;
    case kMinimumUnit: OpenUnitList(kMinimumUnit, minimumList_); break;
    case kMaximumUnit: OpenUnitList(kMaximumUnit, maximumList_); break;
    case kUnitChosen: OnUnitChosen(lParam); break;
    case IDCANCEL:
        EndDialog(IDCANCEL);
        return TRUE;
    default: break;
    }
    return HomeBaseDialog::OnCommand(wParam, lParam);
}

LRESULT FilterFileSizeDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CTLCOLOREDIT) {
        HWND edit = reinterpret_cast<HWND>(lParam);
        if (edit && (edit == minimumEdit_ || edit == maximumEdit_))
            return ColourEdit(reinterpret_cast<HDC>(wParam), editBrush_);
    }
    return HomeBaseDialog::WindowProc(message, wParam, lParam);
}

void FilterFileSizeDlg::DrawBackground(HDC memory)
{
    RECT client;
    GetClientRect(&client);
    FillDialogBackground(memory, client);
}
