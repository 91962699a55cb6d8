// uikit/dialog/KvrMessageBox.h
// The program's message box: a skinned dialog (template 227, layout "MessageBox") with a
// warning picture, a word-wrapped message and one, two or three buttons. A long message
// makes the box taller, its buttons staying below it. When the layout gives it no button
// that could close it, the system message box asks the same question.
#pragma once
#include <string>

#include "uikit/dialog/HomeBaseDialog.h"
#include "uikit/dialog/MessageBoxPlan.h"

namespace Gdiplus {
class Image;
}

// Text colour when the caller passes 0.
constexpr COLORREF kMessageBoxTextColour = 0xDBBAAF;

class KVRMessageBox : public HomeBaseDialog
{
public:
    // Ends the dialog when its layout offers no usable button (ShowKvrMessageBox then asks
    // through the system box).
    static const int kNeedsSystemBox = -2;

    KVRMessageBox(CWnd* parent, COLORREF textColour = 0);
    ~KVRMessageBox() override;

    // Closes any open menu and stores the text, the caption (language "caption" when null)
    // and the style (MB_OKCANCEL and MB_YESNO are looked at). Returns 0.
    int SetMessage(const char* text, const char* caption, UINT style);
    // Custom texts of buttons 501, 500 and 502; with all three the box has three buttons.
    void SetButtonTexts(const char* first, const char* second, const char* third);
    void SetButtonText(int id, const char* text);

    const std::string& Text() const { return text_; }
    const std::string& Caption() const { return caption_; }
    // The message's rectangle in client coordinates, as last drawn.
    const RECT& TextRect() const { return textRect_; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void DrawBackground(HDC memory) override;
    void DrawForeground(HDC memory) override;

private:
    // Makes the box taller when its text needs more lines than the text area holds, within
    // the work area; returns by how much (the buttons move down by as much).
    int GrowToFitText();

    std::string text_, caption_;
    UINT style_ = MB_OK;
    COLORREF textColour_;
    Gdiplus::Image* warning_ = nullptr;
    std::string custom_[3];
    bool hasThird_ = false;
    RECT textArea_ = {0, 0, 0, 0};  // the layout's text area, grown to fit the text
    RECT textRect_ = {0, 0, 0, 0};
};

// Shows the box modally (owner may be null) and returns 1 for OK or Yes, 2 for Cancel, No or
// close, 3 for the third button. textColour 0 is the default colour.
int ShowKvrMessageBox(HWND owner, const char* text, const char* caption, UINT style,
                      COLORREF textColour = 0);
