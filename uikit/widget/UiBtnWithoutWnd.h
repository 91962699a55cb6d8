// uikit/widget/UiBtnWithoutWnd.h
// Layout type 3: a push button whose skin picture is stretched, or drawn in three slices
// (left cap, tiled middle, right cap) when the button is much wider than the skin.
#pragma once
#include <ocidl.h>

#include "uikit/widget/CaptionedItem.h"

namespace UiCtrl {

class UiBtnWithoutWnd : public CaptionedItem {
public:
    // style is the layout's "dUserDefine": 0 and 2 are kept, anything else is style 1.
    explicit UiBtnWithoutWnd(int style = 0);

    int Draw(HDC dc) override;
    bool LoadFromXml(HWND owner, int id, int left, int top, int right, int bottom,
                     const TiXmlElement* element) override;
    // Reports WM_COMMAND (id, 0) when enabled.
    int OnMouseLBtnUp(WPARAM wParam, LPARAM lParam) override;

    int GetDefault() const { return default_; }
    int GetStyle() const { return style_; }

    // What a state looks like: the picture and text colour to use. Defaults are bitmap sets
    // of the button's own style, never of whichever button was built last.
    struct Look {
        IPicture* picture;
        COLORREF textColour;
        int fontWeight;
    };
    Look ChooseLook(int state) const;

private:
    void DrawSkin(HDC dc, IPicture* picture);

    int default_ = 0;
    IPicture* own_[4] = {nullptr, nullptr, nullptr, nullptr};
    COLORREF colours_[4] = {0, 0, 0, 0};
    int style_ = 0;
};

} // namespace UiCtrl
