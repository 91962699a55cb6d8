// uikit/widget/WidgetGeometry.cpp
#include "uikit/widget/WidgetGeometry.h"

#include <algorithm>

namespace UiCtrl {

int NormaliseButtonStyle(int userDefine)
{
    return (userDefine == 0 || userDefine == 2) ? userDefine : 1;
}

SIZE ButtonSkinSize(int style)
{
    switch (style) {
    case 1: return SIZE{110, 40};
    case 2: return SIZE{120, 60};
    default: return SIZE{80, 28};
    }
}

bool ButtonSkinStretches(int style, int buttonWidth)
{
    return style == 2 || buttonWidth <= ButtonSkinSize(style).cx + 16;
}

std::vector<SliceCopy> ThreeSliceCopies(int left, int right, int skinWidth)
{
    const int kLeftCap = 25, kTile = 20, kRightCap = 5;
    std::vector<SliceCopy> copies;
    if (right - left < kLeftCap + kRightCap || skinWidth < kLeftCap + kRightCap)
        return copies;
    copies.push_back({left, 0, kLeftCap});
    const int tileEnd = right - kRightCap;
    for (int x = left + kLeftCap; x < tileEnd; x += kTile)
        copies.push_back({x, kLeftCap, std::min(kTile, tileEnd - x)});
    copies.push_back({tileEnd, skinWidth - kRightCap, kRightCap});
    return copies;
}

int PictureIndexForState(int state, int enabled)
{
    switch (state) {
    case 0: return enabled ? 0 : 3;
    case 1: return enabled ? 1 : 3;
    case 2: return 2;
    case 3: return 3;
    default: return enabled ? 0 : 3;
    }
}

RECT CheckHitArea(const RECT& widget)
{
    return RECT{widget.left, widget.top, widget.left + 160, widget.top + 16};
}

RECT ImgTextHitArea(const RECT& widget, int backgroundImageFlag)
{
    if (backgroundImageFlag)
        return widget;
    return RECT{widget.left, widget.top, widget.left + 220, widget.top + 60};
}

RECT CheckBoxRect(const RECT& widget, int userFlag, int boxSize)
{
    const int side = userFlag >= 1 ? boxSize : 13;
    return RECT{widget.left, widget.top, widget.left + side, widget.top + side};
}

RECT FilterKindNameRect(const RECT& widget, int checkImageWidth, int measuredWidth)
{
    RECT r = widget;
    r.left = widget.left + 10 + checkImageWidth + 10;
    r.right = r.left + measuredWidth + 15;
    return r;
}

RECT FilterExtensionRect(const RECT& widget, const RECT& kindName)
{
    RECT r = widget;
    r.left = kindName.right + 6;
    return r;
}

FilterTextLayout LayoutFilterText(const RECT& widget, const RECT& extension, bool hasUserText,
                                  int userTextWidth)
{
    FilterTextLayout out;
    out.text = RECT{extension.left, widget.top, widget.right - 13, widget.bottom};
    out.bracket = RECT{widget.left, widget.top, widget.right - 10, widget.bottom};
    out.fits = false;
    if (hasUserText) {
        // Room is a width: from the start of the list to where the bracket stands at most.
        const int room = (widget.right - 10) - extension.left;
        if (userTextWidth + 5 <= room) {
            out.fits = true;
            out.bracket.right = extension.left + userTextWidth + 5;
        }
    }
    return out;
}

RECT LinkFitRect(const RECT& widget, int textWidth, int maxRight)
{
    RECT r = widget;
    r.right = widget.left + textWidth;
    if (maxRight != 0 && maxRight < r.right)
        r.right = maxRight;
    return r;
}

RECT DropRowTextRect(const RECT& widget, int checkImageWidth, int measuredWidth)
{
    RECT r = widget;
    r.left = widget.left + 2 + checkImageWidth;
    r.right = r.left + measuredWidth;
    return r;
}

ImgCheckLayout LayoutImgCheck(const RECT& widget, SIZE image, int gap, int imageAlign)
{
    ImgCheckLayout out;
    out.format = DT_VCENTER;
    if (imageAlign) {
        out.image = RECT{widget.right - image.cx, widget.top, widget.right, widget.top + image.cy};
        out.text = RECT{widget.left, widget.top + 5, out.image.left - gap, widget.bottom};
        out.format |= DT_RIGHT;
    } else {
        out.image = RECT{widget.left, widget.top, widget.left + image.cx, widget.top + image.cy};
        out.text = RECT{out.image.right + gap, widget.top + 5, widget.right, widget.bottom};
    }
    return out;
}

ImgTextLayout LayoutImgText(const RECT& widget, SIZE icon, int gap, int imageAlign,
                            int iconToTop, int backgroundImageFlag)
{
    ImgTextLayout out;
    out.format = DT_VCENTER;
    if (imageAlign == 1)
        out.icon = POINT{widget.right - icon.cx, widget.top};
    else
        out.icon = POINT{widget.left + 10, widget.top + (widget.bottom - widget.top - icon.cy) / 2};
    out.icon.y += iconToTop;
    out.text = widget;
    if (!backgroundImageFlag)
        out.text.left = out.icon.x + icon.cx + gap;
    if (imageAlign == 1) {
        out.text.left = widget.left;
        out.text.right = out.icon.x - gap;
        out.format |= DT_RIGHT;
    } else if (imageAlign == 2) {
        out.format |= DT_CENTER;
    }
    return out;
}

} // namespace UiCtrl
