// uikit/widget/WidgetGeometry.h
// Where widgets put their pictures and texts, and which part of them takes a click: plain
// arithmetic on rectangles, kept apart from drawing so it can be checked case by case.
#pragma once
#include <windows.h>
#include <vector>

namespace UiCtrl {

// ---- push button (type 3) ----
// The layout's "dUserDefine": 0 and 2 are styles of their own, anything else is style 1.
int NormaliseButtonStyle(int userDefine);
// Size of the skin picture of a button style: 110x40 (1), 120x60 (2), 80x28 (0).
SIZE ButtonSkinSize(int style);
// A button no wider than its skin plus 16 px (and every style-2 button) stretches the picture.
bool ButtonSkinStretches(int style, int buttonWidth);
// One copy of the three-slice drawing: destination x, source x in the skin, width.
struct SliceCopy {
    int destX;
    int srcX;
    int width;
};
// A 25 px left cap, 20 px tiles from source x 25 up to right - 5, a 5 px right cap.
std::vector<SliceCopy> ThreeSliceCopies(int left, int right, int skinWidth);

// Which of the four pictures (0 normal, 1 hover, 2 pressed, 3 disabled) a picture or image
// button shows: a disabled button shows its disabled picture instead of normal and hover.
int PictureIndexForState(int state, int enabled);

// ---- check boxes (types 7, 10, 11) ----
// They answer clicks in a fixed area at their top-left, not over their whole rectangle.
RECT CheckHitArea(const RECT& widget);
RECT ImgTextHitArea(const RECT& widget, int backgroundImageFlag);
// The square box of a type-7 check box: "nSize" when "bUser" is at least 1, else 13.
RECT CheckBoxRect(const RECT& widget, int userFlag, int boxSize);

// ---- file-kind row (type 8) ----
// Kind name: from left + 10 + check picture width + 10, the measured width plus 15.
RECT FilterKindNameRect(const RECT& widget, int checkImageWidth, int measuredWidth);
// The extension list starts 6 px right of the kind name.
RECT FilterExtensionRect(const RECT& widget, const RECT& kindName);
// Where the extension text and the closing bracket go. A user list that fits is followed
// right away by its bracket; one that does not is cut by an ellipsis and the bracket stays
// at the row's end.
struct FilterTextLayout {
    RECT text;
    RECT bracket;  // drawn right-aligned
    bool fits;
};
FilterTextLayout LayoutFilterText(const RECT& widget, const RECT& extension, bool hasUserText,
                                  int userTextWidth);

// ---- link (type 4) ----
// As wide as its caption, cut at "MaxRight" when that is set and nearer.
RECT LinkFitRect(const RECT& widget, int textWidth, int maxRight);

// ---- drop-down row ----
RECT DropRowTextRect(const RECT& widget, int checkImageWidth, int measuredWidth);

// ---- image check button (type 10) ----
struct ImgCheckLayout {
    RECT image;
    RECT text;
    UINT format;
};
ImgCheckLayout LayoutImgCheck(const RECT& widget, SIZE image, int gap, int imageAlign);

// ---- image-and-text toggle (type 11) ----
struct ImgTextLayout {
    POINT icon;
    RECT text;
    UINT format;
};
ImgTextLayout LayoutImgText(const RECT& widget, SIZE icon, int gap, int imageAlign,
                            int iconToTop, int backgroundImageFlag);

} // namespace UiCtrl
