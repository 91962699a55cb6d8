// ui/dialogs/NotFindFileDlg.cpp
#include "ui/dialogs/NotFindFileDlg.h"

#include <algorithm>

#include "app/LangString.h"
#include "app/ResourceHelper.h"
#include "ui/dialogs/NoticePicture.h"
#include "uikit/widget/WidgetSupport.h"

namespace {

const COLORREF kBackground = 0x423129;
const COLORREF kTextColour = 0xEBC496;

} // namespace

NotFindFileDlg::NotFindFileDlg(CWnd* parent)
    : NoticeDialog(parent, "NotFindFileDlg", "warning.png")
{
}

void NotFindFileDlg::DrawBackground(HDC memory)
{
    RECT client;
    GetClientRect(&client);
    UiCtrl::FillWithColour(memory, client, kBackground);

    ResourceHelper& resources = ResourceHelper::Instance();
    const int x = client.left + 40, y = client.top + 42;
    const int textLeft = DrawNoticePicture(memory, Picture(), x, y);
    const int textRight = std::min<int>(textLeft + 550, client.right - 13);
    RECT title = {textLeft, y - 7, textRight, y + 23};
    resources.DrawString(memory, GetLangString("notFoundFiles").c_str(), title, kTextColour, 24,
                         400, DT_WORDBREAK | DT_NOPREFIX);
    RECT note = {textLeft, title.bottom, textRight, title.bottom + 60};
    resources.DrawString(memory, GetLangString("notFoundFilesCaption").c_str(), note,
                         kTextColour, 20, 400, DT_WORDBREAK | DT_NOPREFIX);
}
