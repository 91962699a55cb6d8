// ui/tips/FreezeTipLayout.h
// Where the busy notice puts its text and picture, and how wide it grows for its text.
#pragma once
#include <windows.h>

struct FreezeTipLayout {
    RECT text;
    RECT picture;
};

// With a number the notice has room for two lines; without one, one line.
FreezeTipLayout FreezeTipRects(bool withNumber);
// Width of a notice without number whose text, measured in its rectangle, ends at
// measuredRight: never narrower than 300 + 30, else the text's end + 30.
int FreezeTipWidth(int measuredRight);
