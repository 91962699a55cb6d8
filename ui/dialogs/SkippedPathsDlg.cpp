// ui/dialogs/SkippedPathsDlg.cpp
#include "ui/dialogs/SkippedPathsDlg.h"

#include "app/LangString.h"
#include "app/ResourceHelper.h"
#include "app/SafeFormat.h"
#include "uikit/widget/WidgetSupport.h"

namespace {

const int kButton = 100;
const int kListId = 101;
const COLORREF kBackground = 0x423129;
const COLORREF kListBackground = 0x2C201A;
const COLORREF kTextColour = 0xEBC496;
// Room around the list, and the button band under it.
const int kMargin = 15;
const int kButtonBand = 55;

void AddSection(std::string& text, const std::string& heading, const std::vector<std::string>& paths, uint32_t count)
{
    if (!count)
        return;
    if (!text.empty())
        text += "\r\n";
    text += heading + "\r\n";
    for (const std::string& path : paths)
        text += path + "\r\n";
    if (count > paths.size())
        text += FormatLangString("SkippedMore", uint32_t(count - paths.size())) + "\r\n";
}

} // namespace

SkippedPathsDlg::SkippedPathsDlg(CWnd* parent, const ScanOutcome& outcome)
    : HomeBaseDialog(kPopupTemplateId, parent, true), text_(ListText(outcome))
{
}

SkippedPathsDlg::~SkippedPathsDlg()
{
    if (listBrush_)
        DeleteObject(listBrush_);
}

std::string SkippedPathsDlg::ListText(const ScanOutcome& outcome)
{
    std::string text;
    AddSection(text, FormatLangCount("ScanUnlistedNote", outcome.unlistableFolders, outcome.unlistableFolders),
               outcome.unlistableFolderPaths, outcome.unlistableFolders);
    AddSection(text, FormatLangCount("ScanUnreadFilesNote", outcome.unreadableFiles, outcome.unreadableFiles),
               outcome.unreadableFilePaths, outcome.unreadableFiles);
    return text;
}

std::string SkippedPathsDlg::ShownText() const
{
    if (!list_)
        return std::string();
    std::string text(::GetWindowTextLengthA(list_) + 1, '\0');
    text.resize(::GetWindowTextA(list_, &text[0], (int)text.size()));
    return text;
}

BOOL SkippedPathsDlg::OnInitDialog()
{
    HomeBaseDialog::OnInitDialog();
    LoadSkin("SkippedPathsDlg");
    SetWindowText(GetLangString("SkippedTitle").c_str());
    RECT client;
    GetClientRect(&client);
    // Paths are not wrapped: a long one scrolls sideways and stays one line to copy.
    list_ = CreateWindowExA(0, "EDIT", "",
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY |
                                ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL,
                            client.left + kMargin, client.top + kMargin, client.right - client.left - 2 * kMargin,
                            client.bottom - client.top - kMargin - kButtonBand, m_hWnd, (HMENU)(INT_PTR)kListId,
                            GetModuleHandleA(nullptr), nullptr);
    if (list_) {
        ::SendMessageA(list_, WM_SETFONT, (WPARAM)ResourceHelper::Instance().GetFont(16, FW_NORMAL, false), FALSE);
        // Far more than the default 32 K: a thousand long paths of each kind.
        ::SendMessageA(list_, EM_SETLIMITTEXT, 0, 0);
        ::SetWindowTextA(list_, text_.c_str());
    }
    return TRUE;
}

BOOL SkippedPathsDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    if (id == IDCANCEL || id == kButton) {
        EndDialog(2);
        return TRUE;
    }
    return HomeBaseDialog::OnCommand(wParam, lParam);
}

LRESULT SkippedPathsDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A read-only edit asks for the colours of a static control.
    if (message == WM_CTLCOLORSTATIC && (HWND)lParam == list_ && list_) {
        if (!listBrush_)
            listBrush_ = CreateSolidBrush(kListBackground);
        SetTextColor((HDC)wParam, kTextColour);
        SetBkColor((HDC)wParam, kListBackground);
        return (LRESULT)listBrush_;
    }
    return HomeBaseDialog::WindowProc(message, wParam, lParam);
}

void SkippedPathsDlg::DrawBackground(HDC memory)
{
    RECT client;
    GetClientRect(&client);
    UiCtrl::FillWithColour(memory, client, kBackground);
}
