// ui/filters/EditFileTypeItemDlg.cpp
#include "ui/filters/EditFileTypeItemDlg.h"

#include "app/LangString.h"
#include "app/ResourceHelper.h"
#include "app/SafeFormat.h"
#include "ui/filters/FilterDialogLook.h"
#include "ui/filters/FilterRules.h"

namespace {

const int kOk = 100;
const int kEditId = 1000;
const DWORD kEditStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL;

} // namespace

EditFileTypeItemDlg::EditFileTypeItemDlg(CWnd* parent)
    : HomeBaseDialog(kPopupTemplateId, parent, true)
{
}

EditFileTypeItemDlg::~EditFileTypeItemDlg()
{
    filters::DestroyEdit(edit_);
    if (editBrush_)
        DeleteObject(editBrush_);
}

BOOL EditFileTypeItemDlg::OnInitDialog()
{
    HomeBaseDialog::OnInitDialog();
    LoadSkin("EditFileTypeItemDlg");
    SetWindowText("Setting");
    displayName_ = GetLangString(category_.c_str());
    const std::string defaultKey = category_ + "Desc";
    userList_ = GetUserLangString((defaultKey + "User").c_str());
    currentList_ = userList_.empty() ? GetLangString(defaultKey.c_str()) : userList_;
    sample_ = filters::SampleText(currentList_);

    edit_ = filters::CreateFilterEdit(m_hWnd, kEditId, 20, 80, 450, 160, kEditStyle, 16, 0);
    filters::SetEditText(edit_, currentList_);
    if (edit_)
        ::SetFocus(edit_);
    // The field's own colour: green text on a green brush would hide the list.
    if (!editBrush_)
        editBrush_ = CreateSolidBrush(filters::kEditBackground);
    return FALSE;  // the focus is set
}

void EditFileTypeItemDlg::OnOK()
{
    if (!edit_ || category_.empty())
        return;
    const std::string typed = filters::EditText(edit_);
    if (typed.empty() || typed == currentList_)
        return;
    // A list the filter cannot match (no usable entry) is not stored over a working one.
    const std::string list = filters::NormaliseExtensionList(typed);
    if (list.empty() || list == currentList_)
        return;
    WriteDefaultLangString((category_ + "DescUser").c_str(), list);
    currentList_ = list;
}

BOOL EditFileTypeItemDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    if (id == IDCANCEL) {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    if (id == kOk) {
        OnOK();
        EndDialog(IDCANCEL);
        return TRUE;
    }
    return HomeBaseDialog::OnCommand(wParam, lParam);
}

LRESULT EditFileTypeItemDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CTLCOLOREDIT && edit_ && reinterpret_cast<HWND>(lParam) == edit_)
        return filters::ColourEdit(reinterpret_cast<HDC>(wParam), editBrush_);
    return HomeBaseDialog::WindowProc(message, wParam, lParam);
}

void EditFileTypeItemDlg::DrawBackground(HDC memory)
{
    RECT c;
    GetClientRect(&c);
    filters::FillDialogBackground(memory, c);
    RECT band = {c.left + 1, c.bottom - 60, c.right - 1, c.bottom};
    filters::FillRectColour(memory, band, 0x201915);
    band.bottom = band.top;
    band.top -= 175;
    filters::FillRectColour(memory, band, 0x271F1A);
    band.bottom = band.top;
    band.top -= 62;
    filters::FillRectColour(memory, band, 0x2E241E);
}

void EditFileTypeItemDlg::DrawForeground(HDC memory)
{
    RECT c;
    GetClientRect(&c);
    ResourceHelper& resources = ResourceHelper::Instance();
    const UINT format = DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX;
    RECT title = {c.left + 18, c.top + 18, c.right, c.top + 38};
    resources.DrawString(memory, FormatLangString("FileType", "File type: %s", displayName_).c_str(),
                         title, 0xEE7775, 16, 400, format);
    RECT more = {c.left + 18, c.top + 38, c.right, c.top + 58};
    resources.DrawString(memory, FormatLangString("Morefiletypes", "For example: %s", sample_).c_str(),
                         more, 0xC76967, 16, 400, format);
}
