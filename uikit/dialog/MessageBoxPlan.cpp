// uikit/dialog/MessageBoxPlan.cpp
#include "uikit/dialog/MessageBoxPlan.h"

namespace MessageBoxPlan {

namespace {

bool TwoButtons(UINT style)
{
    return (style & MB_OKCANCEL) || (style & MB_YESNO);
}

} // namespace

Plan Make(const Input& in)
{
    Plan plan;
    if (!in.hasFirst)
        return plan;
    const bool allCustom =
        !in.customFirst.empty() && !in.customSecond.empty() && !in.customThird.empty();
    if (allCustom) {
        if (!in.hasSecond)
            return plan;
        const int width = in.languageIndex != 0 ? 120 : 80;
        const int right = in.firstRect.left - 10;
        plan.first = {true, {right - width, in.firstRect.top, right, in.firstRect.bottom},
                      in.customFirst};
        plan.second = {true, in.firstRect, in.customSecond};
        plan.third = {true, in.secondRect, in.customThird};
        plan.usable = true;
        return plan;
    }

    const bool yesNo = (in.style & MB_YESNO) != 0;
    std::string firstText = in.customFirst, secondText = in.customSecond;
    if (firstText.empty())
        firstText = yesNo ? in.yesText : in.firstCaption;
    if (secondText.empty())
        secondText = yesNo ? in.noText : in.secondCaption;

    if (TwoButtons(in.style)) {
        if (!in.hasSecond)
            return plan;
        plan.first = {true, in.firstRect, firstText};
        plan.second = {true, in.secondRect, secondText};
    } else {
        // A lone button stands at the right, where the second one would be.
        plan.first = {true, in.hasSecond ? in.secondRect : in.firstRect, firstText};
        plan.second = {false, in.secondRect, secondText};
    }
    plan.usable = true;
    return plan;
}

int ResultOf(int commandId, bool hasThird)
{
    switch (commandId) {
    case kFirstButton: return IDOK;
    case kSecondButton: return IDCANCEL;
    case kThirdButton: return 3;
    case kCloseItem: return hasThird ? 3 : IDCANCEL;
    default: return 0;
    }
}

UINT SystemStyleOf(UINT style)
{
    UINT type = MB_OK;
    if (style & MB_YESNO)
        type = MB_YESNO;
    else if (style & MB_OKCANCEL)
        type = MB_OKCANCEL;
    return type | (style & (MB_ICONMASK | MB_DEFMASK | MB_MODEMASK | MB_MISCMASK)) |
           MB_SETFOREGROUND;
}

int ResultOfSystemAnswer(int answer)
{
    switch (answer) {
    case IDOK:
    case IDYES: return 1;
    case IDCANCEL:
    case IDNO:
    case 0: return 2;   // the box could not be shown: nothing was agreed to
    default: return 3;
    }
}

} // namespace MessageBoxPlan
