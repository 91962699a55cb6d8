// uikit/dialog/MessageBoxPlan.h
// Which buttons the skinned message box shows, where, with which texts, and what each one
// answers. No window needed.
#pragma once
#include <windows.h>
#include <string>

namespace MessageBoxPlan {

constexpr int kFirstButton = 501;    // OK / Yes
constexpr int kSecondButton = 500;   // Cancel / No
constexpr int kThirdButton = 502;    // only with three custom texts
constexpr int kCloseItem = 148;      // the caption's close item

struct Button {
    bool visible = false;
    RECT rect = {0, 0, 0, 0};
    std::string text;
};

struct Input {
    UINT style = MB_OK;                 // only MB_OKCANCEL (1) and MB_YESNO (4) are looked at
    bool hasFirst = false, hasSecond = false;   // the layout has button 501 / 500
    RECT firstRect = {0, 0, 0, 0};      // their layout rectangles
    RECT secondRect = {0, 0, 0, 0};
    std::string firstCaption, secondCaption;   // their layout texts (translated)
    std::string customFirst, customSecond, customThird;
    std::string yesText, noText;        // language "YES" and "NO"
    int languageIndex = 0;              // wider moved first button outside English
};

struct Plan {
    bool usable = false;   // false: no button could close the box; use the system box
    Button first, second, third;
};

// Two buttons with MB_OKCANCEL or MB_YESNO, else one, which stands where the second button
// stands in the layout. MB_YESNO texts default to "YES" / "NO". With all three custom
// texts: the first button moves left of its place (80 pixels wide, 120 outside English),
// the second takes the first's place and a third takes the second's.
Plan Make(const Input& input);

// The dialog result of a command: 501 -> 1, 500 -> 2, 502 -> 3, the close item 148 -> 3
// when a third button is shown, else 2; 0 for any other id.
int ResultOf(int commandId, bool hasThird);

// The system message box type that offers the same choice (OK, OK/Cancel or Yes/No, with the
// caller's icon), and its answer turned into the same 1 / 2 / 3.
UINT SystemStyleOf(UINT style);
int ResultOfSystemAnswer(int answer);

} // namespace MessageBoxPlan
