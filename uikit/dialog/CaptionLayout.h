// uikit/dialog/CaptionLayout.h
// Where the caption buttons of a skinned dialog go: from the right edge leftwards, in the
// order of the caption element's children. Window coordinates; no window needed.
#pragma once
#include <windows.h>
#include <vector>

namespace CaptionLayout {

// Caption command ids.
constexpr int kMaximise = 133;
constexpr int kRestore = 136;
constexpr int kMinimise = 139;
constexpr int kClose = 148;
constexpr int kMaximiseTwin = 142;   // laid out like kMaximise

// One child of the caption element: its id and its "left", "top", "right", "bottom".
struct Child {
    int id;
    int left, top, right, bottom;
};

struct Slot {
    int id;
    RECT rect;
};

// The first slot is 30 pixels wide and ends one pixel in from the right edge; each further
// slot lies 6 pixels left of the one before and is as wide as the item placed before it.
// Maximise and its twin share the place of the next item (maximise and restore swap in one
// place). Heights come from each item's "bottom". endAfterRestore: the list ends with the
// restore item (pop-up dialogs with a maximise box have no minimise item).
std::vector<Slot> Place(int windowWidth, const std::vector<Child>& children, bool endAfterRestore);

} // namespace CaptionLayout
