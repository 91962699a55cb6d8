// ui/dialogs/RemoveFileFinishDlg.cpp
#include "ui/dialogs/RemoveFileFinishDlg.h"

#include "app/LangString.h"
#include "app/ResourceHelper.h"
#include "ui/dialogs/NoticePicture.h"
#include "ui/dialogs/WrappedText.h"
#include "uikit/widget/WidgetSupport.h"

namespace {

const COLORREF kBackground = 0x423129;
const COLORREF kTextColour = 0xF1CDC2;
const COLORREF kPhraseColour = 0x5388FF;

} // namespace

RemoveFileFinishDlg::RemoveFileFinishDlg(CWnd* parent, const std::string& text)
    : NoticeDialog(parent, "RemoveFileFinishDlg", "remove_finished.png"), text_(text)
{
}

std::string RemoveFileFinishDlg::Text() const
{
    return text_.empty() ? GetLangString("movedtoRec") : text_;
}

void RemoveFileFinishDlg::DrawBackground(HDC memory)
{
    RECT client;
    GetClientRect(&client);
    RECT inner = {client.left + 1, client.top, client.right - 1, client.bottom};
    UiCtrl::FillWithColour(memory, inner, kBackground);

    const int x = client.left + 20, y = client.top + 22;
    const int textLeft = DrawNoticePicture(memory, Picture(), x, y);
    // Each language names the bin in its own words; a text without them highlights nothing.
    RECT textRect = {textLeft, y + 5, client.right - 13, y + 45};
    const std::string phrase = GetLangString("RecycleBinPhrase");
    highlight_ = WrappedText::Draw(memory, Text(), textRect,
                                   ResourceHelper::Instance().GetFont(18, 400, false),
                                   kTextColour, phrase.c_str(), kPhraseColour);
}
