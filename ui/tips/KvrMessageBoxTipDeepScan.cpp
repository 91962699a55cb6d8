// ui/tips/KvrMessageBoxTipDeepScan.cpp
#include "ui/tips/KvrMessageBoxTipDeepScan.h"

#include "app/LangString.h"
#include "app/ResourceHelper.h"

namespace {
const RECT kTextArea = {96, 45, 381, 135};
const RECT kOneLineArea = {96, 55, 381, 75};
const COLORREF kOfferColour = 0x00A3FF;
const int kIcon = 361;
const int kFirstLineCharacters = 30;

void DrawLine(HDC dc, const std::string& text, int left, int top, int right, int bottom, UINT format)
{
    RECT box = {left, top, right, bottom};
    DrawTextA(dc, text.c_str(), -1, &box, format | DT_NOPREFIX);
}
} // namespace

void SplitAfterCharacters(const std::string& text, int count, std::string& head,
                          std::string& tail)
{
    const char* start = text.c_str();
    const char* at = start;
    const char* afterBlank = nullptr;
    for (int i = 0; i < count && *at; ++i) {
        at = CharNextA(at);
        if (at[-1] == ' ')
            afterBlank = at;
    }
    // Inside a word, the line ends at the last blank before it instead.
    if (*at && *at != ' ' && at[-1] != ' ' && afterBlank)
        at = afterBlank;
    head.assign(start, at);
    tail.assign(at);
}

KvrMessageBoxTipDeepScan::KvrMessageBoxTipDeepScan(CWnd* parent, COLORREF textColour)
    : KVRMessageBox(parent, textColour), colour_(textColour ? textColour : kMessageBoxTextColour)
{
}

BOOL KvrMessageBoxTipDeepScan::OnInitDialog()
{
    const BOOL result = KVRMessageBox::OnInitDialog();
    firstOffer_ = GetLangString("canDeepScan1");
    secondOffer_ = GetLangString("canDeepScan2");
    return result;
}

void KvrMessageBoxTipDeepScan::DrawForeground(HDC memory)
{
    ResourceHelper& helper = ResourceHelper::Instance();
    HGDIOBJ oldFont = SelectObject(memory, helper.GetFont(17, 100, false));
    const COLORREF oldColour = SetTextColor(memory, colour_);
    const int oldMode = SetBkMode(memory, TRANSPARENT);
    RECT measured = kTextArea;
    DrawTextA(memory, Text().c_str(), -1, &measured,
              DT_CALCRECT | DT_WORDBREAK | DT_VCENTER | DT_NOPREFIX);
    const RECT area = measured.bottom < kOneLineArea.bottom ? kOneLineArea : kTextArea;
    RECT draw = area;
    DrawTextA(memory, Text().c_str(), -1, &draw, DT_WORDBREAK | DT_VCENTER | DT_NOPREFIX);
    const int t = area.top;
    SetTextColor(memory, kOfferColour);
    DrawLine(memory, firstOffer_, 106, t + 18, 186, t + 36, DT_SINGLELINE);
    SetTextColor(memory, colour_);
    std::string head, tail;
    SplitAfterCharacters(secondOffer_, kFirstLineCharacters, head, tail);
    DrawLine(memory, head, 186, t + 18, 381, t + 36, DT_SINGLELINE);
    DrawLine(memory, tail, 96, t + 36, 381, t + 66, DT_WORDBREAK);
    SetBkMode(memory, oldMode);
    SetTextColor(memory, oldColour);
    SelectObject(memory, oldFont);
    helper.DrawPicture(memory, helper.LoadPicture(kIcon, 2), 31, 39, 85, 93, 0);
}
