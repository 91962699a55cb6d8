// uikit/dialog/KvrMessageBox.cpp
#include "uikit/dialog/KvrMessageBox.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
#include <stdlib.h>

#include <algorithm>

#include "app/LangString.h"
#include "app/Language.h"
#include "app/ResourceHelper.h"
#include "app/ResourceLayout.h"
#include "app/SkinImage.h"
#include "uikit/dialog/DialogFrame.h"
#include "uikit/widget/UiBtnWithoutWnd.h"
#include "uikit/widget/WidgetSupport.h"

using namespace MessageBoxPlan;

namespace {

const COLORREF kBoxBackground = 0x423129;
const RECT kTextArea = {96, 45, 381, 135};
const RECT kOneLineArea = {96, 55, 381, 75};
const int kWarningX = 31, kWarningY = 39;

UiCtrl::UiBtnWithoutWnd* ButtonOf(HomeBaseDialog& box, int id)
{
    return dynamic_cast<UiCtrl::UiBtnWithoutWnd*>(box.FindClientItem(id));
}

HFONT TextFont()
{
    return ResourceHelper::Instance().GetFont(17, 100, false);
}

RECT Moved(RECT r, int down)
{
    OffsetRect(&r, 0, down);
    return r;
}

void Apply(UiCtrl::UiBtnWithoutWnd* button, const Button& plan, int down)
{
    if (!button)
        return;
    button->SetVisible(plan.visible ? 1 : 0);
    button->SetRect(Moved(plan.rect, down));
    button->SetCaption(plan.text);
}

} // namespace

KVRMessageBox::KVRMessageBox(CWnd* parent, COLORREF textColour)
    : HomeBaseDialog(kPopupTemplateId, parent, true),
      textColour_(textColour ? textColour : kMessageBoxTextColour)
{
}

KVRMessageBox::~KVRMessageBox()
{
    delete warning_;
}

int KVRMessageBox::SetMessage(const char* text, const char* caption, UINT style)
{
    EndMenu();
    text_ = text ? text : "";
    caption_ = caption ? caption : GetLangString("caption");
    style_ = style;
    return 0;
}

void KVRMessageBox::SetButtonTexts(const char* first, const char* second, const char* third)
{
    custom_[0] = first ? first : "";
    custom_[1] = second ? second : "";
    custom_[2] = third ? third : "";
}

void KVRMessageBox::SetButtonText(int id, const char* text)
{
    const int index = id == kFirstButton ? 0 : id == kSecondButton ? 1 : id == kThirdButton ? 2 : -1;
    if (index >= 0)
        custom_[index] = text ? text : "";
}

BOOL KVRMessageBox::OnInitDialog()
{
    HomeBaseDialog::OnInitDialog();
    LoadSkin("MessageBox");
    delete warning_;   // a second DoModal loads it again
    warning_ = LoadSkinImage("warning.png");
    if (!caption_.empty())
        SetWindowText(caption_.c_str());

    Input in;
    in.style = style_;
    auto* first = ButtonOf(*this, kFirstButton);
    auto* second = ButtonOf(*this, kSecondButton);
    if (first) {
        in.hasFirst = true;
        in.firstRect = first->Rect();
        in.firstCaption = first->GetCaption();
    }
    if (second) {
        in.hasSecond = true;
        in.secondRect = second->Rect();
        in.secondCaption = second->GetCaption();
    }
    in.customFirst = custom_[0];
    in.customSecond = custom_[1];
    in.customThird = custom_[2];
    in.yesText = GetLangString("YES");
    in.noText = GetLangString("NO");
    in.languageIndex = GetLanguageIndex();
    const Plan plan = Make(in);
    if (!plan.usable) {
        // Nothing here could close the box: let the system box ask instead.
        EndDialog(kNeedsSystemBox);
        return TRUE;
    }
    const int down = GrowToFitText();
    Apply(first, plan.first, down);
    Apply(second, plan.second, down);
    hasThird_ = plan.third.visible;
    if (hasThird_) {
        auto* third = new UiCtrl::UiBtnWithoutWnd(0);
        const RECT r = Moved(plan.third.rect, down);
        third->Create(m_hWnd, kThirdButton, 3, r.left, r.top, r.right, r.bottom);
        third->SetCaption(plan.third.text);
        delete ClientItems()[kThirdButton];
        ClientItems()[kThirdButton] = third;
    }

    BringWindowToTop();
    SetForegroundWindow();
    SetFocus();
    return TRUE;
}

int KVRMessageBox::GrowToFitText()
{
    textArea_ = kTextArea;
    RECT measured = kTextArea;
    HDC dc = ::GetDC(m_hWnd);
    HGDIOBJ oldFont = SelectObject(dc, TextFont());
    DrawTextA(dc, text_.c_str(), -1, &measured, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    ::ReleaseDC(m_hWnd, dc);
    RECT window;
    GetWindowRect(&window);
    const RECT work = WorkAreaOf(m_hWnd);
    // Never taller than the work area: a text longer than that is cut at the bottom.
    const int grow = std::min(measured.bottom - kTextArea.bottom,
                              (work.bottom - work.top) - (window.bottom - window.top));
    if (grow <= 0)
        return 0;
    textArea_.bottom += grow;
    // Grown about its old middle, and kept on the screen.
    const RECT placed = DialogFrame::CentredWindow(window, work, window.right - window.left,
                                                   window.bottom - window.top + grow);
    SetWindowPos(nullptr, placed.left, placed.top, placed.right - placed.left,
                 placed.bottom - placed.top, SWP_NOZORDER | SWP_NOACTIVATE);
    return grow;
}

BOOL KVRMessageBox::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    if (id == kFirstButton || id == kSecondButton || (id == kThirdButton && hasThird_) ||
        (id == kCloseItem && hasThird_)) {
        EndDialog(ResultOf(id, hasThird_));
        return TRUE;
    }
    return HomeBaseDialog::OnCommand(wParam, lParam);
}

void KVRMessageBox::DrawBackground(HDC memory)
{
    RECT client;
    GetClientRect(&client);
    client.left += 1;
    client.right -= 1;
    UiCtrl::FillWithColour(memory, client, kBoxBackground);
    FillBottomStrip(memory, m_hWnd);
}

void KVRMessageBox::DrawForeground(HDC memory)
{
    HGDIOBJ oldFont = SelectObject(memory, TextFont());
    const COLORREF oldColour = SetTextColor(memory, textColour_);
    RECT measured = textArea_;
    DrawTextA(memory, text_.c_str(), -1, &measured,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    // One line stands in the middle band; more lines fill the whole text area.
    textRect_ = measured.bottom < kOneLineArea.bottom ? kOneLineArea : textArea_;
    RECT draw = textRect_;
    DrawTextA(memory, text_.c_str(), -1, &draw, DT_WORDBREAK | DT_NOPREFIX);
    SetTextColor(memory, oldColour);
    SelectObject(memory, oldFont);
    ResourceHelper::Instance().DrawGdiImage(memory, warning_, kWarningX, kWarningY);
}

int ShowKvrMessageBox(HWND owner, const char* text, const char* caption, UINT style,
                      COLORREF textColour)
{
    int result = KVRMessageBox::kNeedsSystemBox;
    if (GetResourceElement("MessageBox")) {
        KVRMessageBox box(owner ? CWnd::FromHandle(owner) : nullptr, textColour);
        box.SetMessage(text, caption, style);
        result = static_cast<int>(box.DoModal());
    }
    if (result == IDOK || result == IDCANCEL || result == 3)
        return result;
    if (result != KVRMessageBox::kNeedsSystemBox && result != -1)
        return IDCANCEL;   // ended some other way: nothing was agreed to
    // No skinned box could be shown: the system box asks the same question.
    const std::string title = caption ? caption : GetLangString("caption");
    return ResultOfSystemAnswer(
        MessageBoxA(owner, text ? text : "", title.c_str(), SystemStyleOf(style)));
}
