// ui/filters/EditFileTypeItemDlg.cpp
#include "ui/filters/EditFileTypeItemDlg.h"

#include "app/LangString.h"
#include "app/ResourceHelper.h"
#include "app/SafeFormat.h"
#include "ui/filters/FilterDialogLook.h"
#include "ui/filters/FilterRules.h"

namespace {

const int kEditId = 1000;
const DWORD kEditStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL;

} // namespace

EditFileTypeItemDlg::EditFileTypeItemDlg(CWnd* parent) : FilterEditDialog(parent)
{
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
    CreateEditBrush();
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

void EditFileTypeItemDlg::DrawBackground(HDC memory)
{
    RECT c;
    GetClientRect(&c);
    RECT band = filters::FillBandedBackground(memory, c, 175);
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
    resources.DrawString(memory, FormatLangString("FileType", displayName_).c_str(),
                         title, 0xEE7775, 16, 400, format);
    RECT more = {c.left + 18, c.top + 38, c.right, c.top + 58};
    resources.DrawString(memory, FormatLangString("Morefiletypes", sample_).c_str(),
                         more, 0xC76967, 16, 400, format);
}
