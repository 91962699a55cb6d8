// uikit/dialog/CaptionLayout.cpp
#include "uikit/dialog/CaptionLayout.h"

namespace CaptionLayout {

std::vector<Slot> Place(int windowWidth, const std::vector<Spec>& specs, bool endAfterRestore)
{
    std::vector<Slot> slots;
    int right = windowWidth - 1;
    int left = right - 30;
    for (const Spec& spec : specs) {
        if (spec.id == 0)
            continue;
        slots.push_back({spec.id, {left, 1, right, 1 + spec.bottom}});
        if (spec.id != kMaximise && spec.id != kMaximiseTwin) {
            right = left - 6;
            left = right - (spec.right - spec.left);
        }
        if (endAfterRestore && spec.id == kRestore)
            break;
    }
    return slots;
}

} // namespace CaptionLayout
