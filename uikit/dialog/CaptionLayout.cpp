// uikit/dialog/CaptionLayout.cpp
#include "uikit/dialog/CaptionLayout.h"

namespace CaptionLayout {

std::vector<Slot> Place(int windowWidth, const std::vector<Child>& children, bool endAfterRestore)
{
    std::vector<Slot> slots;
    int right = windowWidth - 1;
    int left = right - 30;
    for (const Child& child : children) {
        if (child.id == 0)
            continue;
        slots.push_back({child.id, {left, 1, right, 1 + child.bottom}});
        if (child.id != kMaximise && child.id != kMaximiseTwin) {
            right = left - 6;
            left = right - (child.right - child.left);
        }
        if (endAfterRestore && child.id == kRestore)
            break;
    }
    return slots;
}

} // namespace CaptionLayout
