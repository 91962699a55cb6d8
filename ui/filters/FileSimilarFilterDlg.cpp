// ui/filters/FileSimilarFilterDlg.cpp
#include "ui/filters/FileSimilarFilterDlg.h"

#include <stdio.h>

#include "app/LangString.h"
#include "app/ResourceHelper.h"
#include "app/SafeFormat.h"
#include "finder/ScanState.h"
#include "ui/filters/FilterDialogLook.h"
#include "ui/filters/FilterRules.h"
#include "uikit/dialog/KvrMessageBox.h"

namespace {

const int kEditId = 1000;
const DWORD kEditStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL;
const COLORREF kTextColour = 0xEBC496;
// Wide enough for "100" in the field's font; the "%" follows it.
const int kEditWidth = 56;

} // namespace

FileSimilarFilterDlg::FileSimilarFilterDlg(CWnd* parent) : FilterEditDialog(parent)
{
}

BOOL FileSimilarFilterDlg::OnInitDialog()
{
    HomeBaseDialog::OnInitDialog();
    LoadSkin("FileSimilarFilterWnd");
    SetWindowText(GetLangString("SetSimilar").c_str());
    edit_ = filters::CreateFilterEdit(m_hWnd, kEditId, editLeft_, 82, kEditWidth, 30, kEditStyle, 24, 3);
    char text[16];
    snprintf(text, sizeof text, "%d", g_similarityPercent.load());
    filters::SetEditText(edit_, text);
    CreateEditBrush();
    return TRUE;
}

void FileSimilarFilterDlg::OnOK()
{
    if (!edit_)
        return;
    const int precision = filters::ParsePrecision(filters::EditText(edit_));
    if (precision >= 0)
        g_similarityPercent = precision;
}

bool FileSimilarFilterDlg::AcceptField()
{
    if (!edit_ || filters::ParsePrecision(filters::EditText(edit_)) != filters::kPrecisionOutOfRange)
        return true;
    const std::string text =
        FormatLangString("PrecisionOutOfRange", filters::kLowestPrecision, filters::kHighestPrecision);
    ShowKvrMessageBox(m_hWnd, text.c_str(), nullptr, MB_OK | MB_ICONWARNING);
    ::SetFocus(edit_);
    return false;
}

void FileSimilarFilterDlg::DrawBackground(HDC memory)
{
    RECT client;
    GetClientRect(&client);
    filters::FillDialogBackground(memory, client);
}

void FileSimilarFilterDlg::DrawForeground(HDC memory)
{
    RECT c;
    GetClientRect(&c);
    ResourceHelper& resources = ResourceHelper::Instance();
    const UINT format = DT_WORDBREAK | DT_NOPREFIX;
    RECT text = {c.left + 30, c.top + 40, c.right, c.top + 80};
    resources.DrawString(memory, GetLangString("SetSimilarText").c_str(), text, kTextColour, 18,
                         400, format);
    RECT caption = {c.left + 30, c.top + 84, c.right, c.top + 124};
    resources.DrawString(memory, GetLangString("SetSimilarCaption").c_str(), caption,
                         kTextColour, 18, 400, format);
    RECT percent = {editLeft_ + kEditWidth + 10, c.top + 84, c.right, c.top + 124};
    resources.DrawString(memory, "%", percent, kTextColour, 18, 400, format);
}
