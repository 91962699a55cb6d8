// ui/dialogs/NoticePicture.h
// The picture at the left of a notice, with its text beside it.
#pragma once
#include <windows.h>

namespace Gdiplus {
class Image;
}

// Draws the picture (if any) with its top-left corner at (x, y) and returns the left edge of
// the text beside it; a missing picture keeps its 48 pixels so the text does not move.
int DrawNoticePicture(HDC memory, Gdiplus::Image* picture, int x, int y);
