// ui/dialogs/StartAnalyeDlg.cpp
#include "ui/dialogs/StartAnalyeDlg.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include "app/LangString.h"
#include "app/ResourceHelper.h"
#include "app/SkinImage.h"
#include "finder/ScanState.h"
#include "ui/dialogs/FrameAnimation.h"
#include "ui/dialogs/NoticePicture.h"
#include "ui/dialogs/WrappedText.h"
#include "uikit/widget/WidgetSupport.h"

namespace {

const COLORREF kBackground = 0x2B1F18;
const COLORREF kBand = 0x261B15;
const COLORREF kTextColour = 0xF1CDC2;
const int kBandHeight = 68;
// Shown when the language file has no text of its own.
const char kFallbackText[] =
    "Scan completed! The program is intelligently building a new directory, please wait...";
const char kFallbackStoppedText[] =
    "Scan stopped. The program is building the list of what was found before the stop, "
    "please wait...";

std::string WaitText(bool stopped)
{
    std::string text = GetLangString(stopped ? "StartAnalyeStopped" : "StartAnalyeText");
    if (text.empty())
        text = stopped ? kFallbackStoppedText : kFallbackText;
    return text;
}

} // namespace

StartAnalyeDlg::StartAnalyeDlg(CWnd* parent, const std::atomic<int>* ready, bool stopped)
    : BusyWaitDialog(parent, ready ? ready : &g_resultsReady, "StartAnalyeDlg", "loading.gif"),
      text_(WaitText(stopped))
{
}

StartAnalyeDlg::~StartAnalyeDlg()
{
    delete picture_;
}

BOOL StartAnalyeDlg::OnInitDialog()
{
    BusyWaitDialog::OnInitDialog();
    delete picture_;
    picture_ = LoadSkinImage("remove_finished.png");
    return TRUE;
}

void StartAnalyeDlg::DrawBackground(HDC memory)
{
    RECT client;
    GetClientRect(&client);
    RECT inner = {client.left + 1, client.top, client.right - 1, client.bottom};
    UiCtrl::FillWithColour(memory, inner, kBackground);
    RECT band = {inner.left, inner.bottom - kBandHeight, inner.right, inner.bottom};
    UiCtrl::FillWithColour(memory, band, kBand);

    ResourceHelper& resources = ResourceHelper::Instance();
    const int pictureX = client.left + 20, pictureY = client.top + 22;
    const int textLeft = DrawNoticePicture(memory, picture_, pictureX, pictureY);

    RECT textRect = {textLeft, pictureY + 5, client.right - 13, pictureY + 45};
    WrappedText::Draw(memory, text_, textRect, resources.GetFont(18, 400, false), kTextColour);

    // The moving picture stands in the middle of the bottom band.
    if (Gdiplus::Image* animation = Animation()) {
        SelectFrame(animation, FrameIndex());
        const int x = (client.left + client.right - static_cast<int>(animation->GetWidth())) / 2;
        const int y = band.top + (kBandHeight - static_cast<int>(animation->GetHeight())) / 2;
        resources.DrawGdiImage(memory, animation, x, y);
    }
}
