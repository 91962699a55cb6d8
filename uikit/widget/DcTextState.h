// uikit/widget/DcTextState.h
// Widgets draw into their host's memory DC and must hand it back as they found it: this
// saves background mode, text colour and font, and restores them when it goes out of scope.
#pragma once
#include <windows.h>

namespace UiCtrl {

class DcTextState {
public:
    explicit DcTextState(HDC dc)
        : dc_(dc), mode_(GetBkMode(dc)), colour_(GetTextColor(dc)),
          font_(static_cast<HFONT>(GetCurrentObject(dc, OBJ_FONT)))
    {
        SetBkMode(dc_, TRANSPARENT);
    }
    ~DcTextState()
    {
        SelectObject(dc_, font_);
        SetTextColor(dc_, colour_);
        SetBkMode(dc_, mode_);
    }
    DcTextState(const DcTextState&) = delete;
    DcTextState& operator=(const DcTextState&) = delete;

    void Font(HFONT font)
    {
        if (font)
            SelectObject(dc_, font);
    }
    void Colour(COLORREF colour) { SetTextColor(dc_, colour); }

private:
    HDC dc_;
    int mode_;
    COLORREF colour_;
    HFONT font_;
};

} // namespace UiCtrl
